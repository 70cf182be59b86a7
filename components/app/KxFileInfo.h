#ifndef KXFILEINFO_H
#define KXFILEINFO_H

#include <string>

// Path utilities on byte-string paths ('/' separated).
class KxFileInfo
{
public:
    KxFileInfo() = default;
    explicit KxFileInfo(const std::string& path);
    void setFile(const std::string& path);

    // The folder part without the last component: "a/b/c.icc" gives "a/b",
    // "c.icc" gives ".", "/c.icc" gives "/".
    static std::string dirnameFromPath(const std::string& path);
    // The last component: "a/b/c.icc" gives "c.icc".
    static std::string filenameFromPath(const std::string& path);

    std::string path;
    int exists = 0; // non-zero when path names an existing file or folder
};

#endif
