#ifndef KXREGISTRY_H
#define KXREGISTRY_H

#include <map>
#include <memory>
#include <string>
#include <string_view>

struct KxSettingsKey;

// The program's settings: values named by a section and a key, kept in
// memory and read from / written to one human-readable UTF-8 text file.
// Strings are byte strings and round-trip exactly; numbers are signed longs.
// A window that may outlive the one that opened the settings (a chart
// window after its main window is closed) holds them through shared().
class KxRegistry : public std::enable_shared_from_this<KxRegistry>
{
public:
    // The settings file for an installation folder and a product prefix:
    // a file in the user's configuration folder (see KxSettingsFolder), so
    // it is writable whatever the installation folder is. The same inputs
    // always give the same name; empty when the user has no home folder.
    static std::string getregname(const std::string& folder, const std::string& prefix);

    // A share in registry: the owners' own when a std::shared_ptr owns it
    // (the main window's settings), so the holder keeps it alive; otherwise
    // a plain pointer, for a registry its maker keeps for the holder's whole
    // life (a test's or a benchmark's).
    static std::shared_ptr<KxRegistry> shared(KxRegistry& registry);

    // Replaces the content with the file's, line by line: every section and
    // key that can be read is kept, and only lines that cannot are skipped.
    // Only a regular file of at most 1 MiB in a place that is the user's own
    // is read; anything else (a FIFO, a device, a larger file, one that
    // cannot be read, a folder or link someone else controls) leaves the
    // registry empty and is never overwritten by save(). Each trouble is
    // told in one line on standard error, once per start. True when the
    // whole file was read.
    bool open(const std::string& fileName);
    // Writes the whole content like every file the program writes (see
    // Kx_fopen), creating the folder when needed. Before the first save over
    // a file that had skipped lines, the file as it was is kept beside it as
    // <name>.bad with the file's permissions (once per start). A place that
    // is not the user's own, and a file grown past 1 MiB since it was read,
    // are left alone and told in one line. On failure the file stays as it
    // was, and one line on standard error says why.
    bool save(const std::string& fileName) const;

    // A missing key reads as an empty string. The reference stays valid until
    // the next call that changes the registry.
    const std::string& getstring(const std::string& section, const std::string& key) const;
    // A missing key, or one that holds no number, reads as 0.
    long getlong(const std::string& section, const std::string& key) const;
    void putstring(const std::string& section, const std::string& key, const std::string& value);
    void putlong(const std::string& section, const std::string& key, long value);
    // The same, for a key of the program's own (KxSettingsKeys.h); a
    // missing number reads as the key's fallback.
    const std::string& getstring(const KxSettingsKey& key) const;
    long getlong(const KxSettingsKey& key) const;
    void putstring(const KxSettingsKey& key, const std::string& value);
    void putlong(const KxSettingsKey& key, long value);

    bool isEmpty() const { return sections.empty(); }

private:
    // Reads the lines into sections; returns how many were skipped.
    unsigned long readLines(std::string_view content);

    std::map<std::string, std::map<std::string, std::string>> sections;
    std::string openedFile;
    std::string damagedOriginal; // the file as open() found it, when lines were skipped
    bool leaveUntouched = false; // open() could not read openedFile
};

#endif
