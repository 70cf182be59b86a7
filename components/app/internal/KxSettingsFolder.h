#ifndef KXSETTINGSFOLDER_H
#define KXSETTINGSFOLDER_H

#include <string>

// Where the user's settings live, and whether a settings file's place is
// the user's own. Settings read from a place someone else controls could be
// planted, and settings written there could overwrite whatever that someone
// points the file at.
namespace KxSettingsFolder {

// The user's configuration folder: $XDG_CONFIG_HOME when it is an absolute
// path, else .config in the home folder, which is $HOME when that is an
// absolute path and else the one the password database gives. Empty when
// the user has no home folder.
std::string configHome();

// Empty when fileName may hold the user's settings: the folder it is in
// (when it exists) belongs to the user and nobody else may write to it, and
// neither that folder nor the file is a symbolic link someone else made.
// Otherwise one sentence saying why not.
std::string whyNotUsersOwn(const std::string& fileName);

} // namespace KxSettingsFolder

#endif
