#include "KxFileInfo.h"

#include <sys/stat.h>

KxFileInfo::KxFileInfo(const std::string& path)
{
    setFile(path);
}

void KxFileInfo::setFile(const std::string& newPath)
{
    path = newPath;
    struct stat status;
    exists = !path.empty() && ::stat(path.c_str(), &status) == 0 ? 1 : 0;
}

std::string KxFileInfo::dirnameFromPath(const std::string& path)
{
    std::string::size_type end = path.find_last_not_of('/');
    if (end == std::string::npos)
        return path.empty() ? "." : "/";
    const std::string::size_type slash = path.rfind('/', end);
    if (slash == std::string::npos)
        return ".";
    const std::string::size_type folderEnd = path.find_last_not_of('/', slash);
    return folderEnd == std::string::npos ? "/" : path.substr(0, folderEnd + 1);
}

std::string KxFileInfo::filenameFromPath(const std::string& path)
{
    const std::string::size_type end = path.find_last_not_of('/');
    if (end == std::string::npos)
        return path.empty() ? std::string() : "/";
    const std::string::size_type slash = path.rfind('/', end);
    return path.substr(slash == std::string::npos ? 0 : slash + 1, end - (slash == std::string::npos ? 0 : slash + 1) + 1);
}
