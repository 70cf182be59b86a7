#include "KxSettingsFolder.h"

#include "KxFileInfo.h"

#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

bool isAbsolute(const char* path)
{
    return path && path[0] == '/';
}

std::string homeFromPasswordDatabase()
{
    const long suggested = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(suggested > 0 ? std::size_t(suggested) : 16384);
    struct passwd entry;
    struct passwd* found = nullptr;
    if (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found)
        return std::string();
    return isAbsolute(found->pw_dir) ? std::string(found->pw_dir) : std::string();
}

bool madeBySomeoneElse(const struct stat& status)
{
    return S_ISLNK(status.st_mode) && status.st_uid != ::geteuid();
}

} // namespace

std::string KxSettingsFolder::configHome()
{
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (isAbsolute(config))
        return config;
    const char* home = std::getenv("HOME");
    const std::string homeFolder = isAbsolute(home) ? std::string(home) : homeFromPasswordDatabase();
    return homeFolder.empty() ? std::string() : homeFolder + "/.config";
}

std::string KxSettingsFolder::whyNotUsersOwn(const std::string& fileName)
{
    if (fileName.empty())
        return "There is no home folder to keep the settings in.";
    const std::string folder = KxFileInfo::dirnameFromPath(fileName);
    struct stat status;
    if (::lstat(folder.c_str(), &status) != 0)
        return std::string(); // nothing there yet; it is made the user's own when the settings are saved
    if (madeBySomeoneElse(status))
        return "The settings folder " + folder + " is a symbolic link made by another user.";
    if (::stat(folder.c_str(), &status) != 0)
        return std::string();
    if (status.st_uid != ::geteuid())
        return "The settings folder " + folder + " belongs to another user.";
    if (status.st_mode & (S_IWGRP | S_IWOTH))
        return "Other users may write to the settings folder " + folder + ".";
    if (::lstat(fileName.c_str(), &status) == 0 && madeBySomeoneElse(status))
        return "The settings file is a symbolic link made by another user.";
    return std::string();
}
