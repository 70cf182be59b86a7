#include "KxRegistry.h"

#include "KxSettingsKeys.h"

#include "KxFile.h"
#include "KxFileRead.h"
#include "KxFileInfo.h"
#include "KxSettingsFolder.h"
#include "KxUtf8.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <set>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

// File layout, one entry a line:
//     # comment
//     [section]
//     key=value
// Section names, keys and values are written with backslash escapes
// (\\ \n \r \t \= \[ \] \# \s for a leading or trailing space, \xHH for
// control bytes and bytes that are not valid UTF-8), so any byte string
// reads back exactly while ordinary text stays readable.

namespace {

const char* const fileSignature = "# Tintora settings";

std::string escape(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const bool edge = i == 0 || i + 1 == text.size();
        switch (c) {
        case '\\': out += "\\\\"; continue;
        case '\n': out += "\\n"; continue;
        case '\r': out += "\\r"; continue;
        case '\t': out += "\\t"; continue;
        case '=': out += "\\="; continue;
        case '[': out += "\\["; continue;
        case ']': out += "\\]"; continue;
        case '#': out += "\\#"; continue;
        case ' ':
            out += edge ? "\\s" : " ";
            continue;
        default:
            break;
        }
        // Past the loop's own step.
        i += KxUtf8::appendCharacterOrHex(out, text, i, true) - 1;
    }
    return out;
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// Undoes escape(); false for a malformed escape.
bool unescape(std::string_view text, std::string& out)
{
    out.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size())
            return false;
        switch (text[i]) {
        case '\\': out += '\\'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        case 't': out += '\t'; break;
        case 's': out += ' '; break;
        case '=': case '[': case ']': case '#': out += text[i]; break;
        case 'x': {
            if (i + 2 >= text.size())
                return false;
            const int high = hexValue(text[i + 1]);
            const int low = hexValue(text[i + 2]);
            if (high < 0 || low < 0)
                return false;
            out += static_cast<char>(high * 16 + low);
            i += 2;
            break;
        }
        default:
            return false;
        }
    }
    return true;
}

// The position of the first '=' that is not escaped, or npos.
std::string_view::size_type separatorOf(std::string_view line)
{
    for (std::string_view::size_type i = 0; i < line.size(); ++i) {
        if (line[i] == '\\')
            ++i;
        else if (line[i] == '=')
            return i;
    }
    return std::string_view::npos;
}

std::uint64_t fnv1a(const std::string& text)
{
    std::uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : text) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    return hash;
}

// What this process has already dealt with: each line about a settings
// file is told once, and the damaged original kept beside it once, per start.
bool firstTimeThisStart(std::set<std::string>& done, const std::string& item)
{
    return done.insert(item).second;
}

std::set<std::string>& keptFiles()
{
    static std::set<std::string> files;
    return files;
}

// Tells the user in one line on standard error, once per start.
void tellOnce(const std::string& line)
{
    static std::set<std::string> told;
    if (firstTimeThisStart(told, line))
        std::fprintf(stderr, "%s\n", line.c_str());
}

// What is wrong with a settings file and what follows from it.
void tell(const std::string& fileName, const std::string& why, const char* consequence)
{
    tellOnce("Tintora: " + (fileName.empty() ? std::string() : fileName + ": ") + why + " " + consequence);
}

std::string keptName(const std::string& fileName)
{
    return fileName + ".bad";
}

// Tells in one line on standard error why a save failed; false.
bool tellFailedSave(const KxWriteResult& failure, const std::string& fileName)
{
    std::fprintf(stderr, "Tintora: %s.\n", failure.message("the settings", fileName).c_str());
    return false;
}

// Writes the copy of a damaged settings file kept beside it. The copy has
// the file's own permission bits from its first byte on, so what the file
// kept from other users stays kept from them; only the owner's write bit is
// added, so that the copy can be replaced at a later start. A copy kept
// earlier that the user protected from writing is refused, as every
// protected file is, and then the file is not replaced either.
// The kept file gets the settings file's permissions from its first byte on,
// and a kept file left by an earlier start is narrowed to them before it is
// written again.
KxWriteResult keepBeside(const std::string& fileName, const std::string& content)
{
    struct stat status;
    const mode_t fileMode = ::stat(fileName.c_str(), &status) == 0 ? status.st_mode & 07777 : S_IRUSR;
    const mode_t mode = fileMode | S_IWUSR;
    const std::string kept = keptName(fileName);
    const int fd = ::open(kept.c_str(), O_WRONLY | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, mode);
    if (fd < 0)
        return KxWriteResult::failedWithErrno(KxWriteResult::Opening);
    const bool regular = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
    const bool narrowed = regular && ::fchmod(fd, mode) == 0;
    const int error = errno;
    ::close(fd);
    if (!regular)
        return KxWriteResult::failed(KxWriteResult::Opening, EINVAL);
    if (!narrowed)
        return KxWriteResult::failed(KxWriteResult::Opening, error);
    return Kx_writeFile(kept.c_str(), content.data(), content.size());
}

// A file past the size limit for settings was not written by this program
// (another program may have grown it since it was read), so it is never
// replaced by the settings.
bool isTooLargeForSettings(const std::string& fileName)
{
    struct stat status;
    return ::stat(fileName.c_str(), &status) == 0 && S_ISREG(status.st_mode)
           && std::uint64_t(status.st_size) > Kx_fileSizeLimit(KxFileKind::Settings);
}

bool makeFolders(const std::string& folder)
{
    struct stat status;
    if (folder.empty() || ::stat(folder.c_str(), &status) == 0)
        return true;
    const std::string parent = KxFileInfo::dirnameFromPath(folder);
    if (parent != folder && !makeFolders(parent))
        return false;
    return ::mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST;
}

} // namespace

std::string KxRegistry::getregname(const std::string& folder, const std::string& prefix)
{
    const std::string base = KxSettingsFolder::configHome();
    if (base.empty())
        return std::string();
    // One file per installation folder, told apart by a hash of the folder.
    char tag[17];
    std::snprintf(tag, sizeof tag, "%016llx", static_cast<unsigned long long>(fnv1a(folder)));
    const std::string stem = prefix.empty() ? std::string("settings") : prefix;
    return base + "/tintora/" + stem + "-" + tag + ".conf";
}

std::shared_ptr<KxRegistry> KxRegistry::shared(KxRegistry& registry)
{
    if (std::shared_ptr<KxRegistry> owned = registry.weak_from_this().lock())
        return owned;
    return std::shared_ptr<KxRegistry>(std::shared_ptr<KxRegistry>(), &registry);
}

bool KxRegistry::open(const std::string& fileName)
{
    sections.clear();
    openedFile = fileName;
    damagedOriginal.clear();
    leaveUntouched = false;

    const std::string notOwn = KxSettingsFolder::whyNotUsersOwn(fileName);
    if (!notOwn.empty()) {
        leaveUntouched = true;
        tell(fileName, notOwn, "Settings start empty and are not saved.");
        return false;
    }
    std::vector<unsigned char> bytes;
    const KxReadResult result = Kx_readFile(fileName.c_str(), KxFileKind::Settings, bytes);
    if (result == KxReadResult::Missing)
        return false;
    if (result != KxReadResult::Read) {
        leaveUntouched = true;
        tell(fileName, Kx_readFailureText(result, KxFileKind::Settings),
             "Settings start empty and the file is left as it is.");
        return false;
    }

    const std::string_view content(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    const unsigned long skipped = readLines(content);
    if (skipped > 0) {
        damagedOriginal.assign(content);
        tellOnce("Tintora: " + std::to_string(skipped) + " unreadable line(s) of " + fileName
                 + " are skipped; the file as it was is kept as " + keptName(fileName) + ".");
    }
    return skipped == 0;
}

unsigned long KxRegistry::readLines(std::string_view content)
{
    unsigned long skipped = 0;
    std::map<std::string, std::string>* current = nullptr;
    while (!content.empty()) {
        const std::string_view::size_type end = std::min(content.find('\n'), content.size());
        std::string_view line = content.substr(0, end);
        content.remove_prefix(std::min(end + 1, content.size()));
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty() || line[0] == '#')
            continue;
        std::string name, value;
        if (line.find('\0') != std::string_view::npos) {
            ++skipped;
        } else if (line[0] == '[') {
            // Keys under a section name that cannot be read have no home.
            const bool readable = line.size() >= 2 && line.back() == ']' && unescape(line.substr(1, line.size() - 2), name);
            current = readable ? &sections[name] : nullptr;
            skipped += readable ? 0 : 1;
        } else {
            const std::string_view::size_type separator = separatorOf(line);
            if (current && separator != std::string_view::npos && unescape(line.substr(0, separator), name)
                && unescape(line.substr(separator + 1), value))
                (*current)[name] = value;
            else
                ++skipped;
        }
    }
    return skipped;
}

bool KxRegistry::save(const std::string& fileName) const
{
    const bool sameFile = fileName == openedFile;
    if (sameFile && leaveUntouched)
        return false;
    if (!makeFolders(KxFileInfo::dirnameFromPath(fileName)))
        return tellFailedSave(KxWriteResult::failedWithErrno(KxWriteResult::Opening), fileName);
    const std::string notOwn = KxSettingsFolder::whyNotUsersOwn(fileName);
    if (!notOwn.empty()) {
        tell(fileName, notOwn, "The settings of this session are not saved.");
        return false;
    }
    if (isTooLargeForSettings(fileName)) {
        tell(fileName, Kx_readFailureText(KxReadResult::TooLarge, KxFileKind::Settings),
             "It is left as it is, and the settings of this session are not saved.");
        return false;
    }
    // The damaged file is kept beside before it is replaced; if it cannot
    // be kept, it is not replaced.
    if (sameFile && !damagedOriginal.empty() && keptFiles().count(fileName) == 0) {
        const KxWriteResult keptWritten = keepBeside(fileName, damagedOriginal);
        if (!keptWritten)
            return tellFailedSave(keptWritten, keptName(fileName));
        firstTimeThisStart(keptFiles(), fileName);
    }
    std::string text = std::string(fileSignature) + " (UTF-8; edit only while the program is closed)\n";
    for (const auto& [section, keys] : sections) {
        text += "\n[" + escape(section) + "]\n";
        for (const auto& [key, value] : keys)
            text += escape(key) + "=" + escape(value) + "\n";
    }
    const KxWriteResult written = Kx_writeFile(fileName.c_str(), text.data(), text.size());
    return written || tellFailedSave(written, fileName);
}

const std::string& KxRegistry::getstring(const std::string& section, const std::string& key) const
{
    static const std::string empty;
    const auto s = sections.find(section);
    if (s == sections.end())
        return empty;
    const auto k = s->second.find(key);
    return k == s->second.end() ? empty : k->second;
}

long KxRegistry::getlong(const std::string& section, const std::string& key) const
{
    const std::string& text = getstring(section, key);
    if (text.empty())
        return 0;
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text.c_str(), &end, 10);
    return errno == 0 && end && *end == '\0' ? value : 0;
}

void KxRegistry::putstring(const std::string& section, const std::string& key, const std::string& value)
{
    sections[section][key] = value;
}

void KxRegistry::putlong(const std::string& section, const std::string& key, long value)
{
    sections[section][key] = std::to_string(value);
}

const std::string& KxRegistry::getstring(const KxSettingsKey& key) const
{
    return getstring(key.section, key.key);
}

long KxRegistry::getlong(const KxSettingsKey& key) const
{
    const std::string& text = getstring(key);
    return text.empty() ? long(key.fallback) : getlong(key.section, key.key);
}

void KxRegistry::putstring(const KxSettingsKey& key, const std::string& value)
{
    putstring(key.section, key.key, value);
}

void KxRegistry::putlong(const KxSettingsKey& key, long value)
{
    putlong(key.section, key.key, value);
}
