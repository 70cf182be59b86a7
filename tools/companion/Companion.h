#ifndef COMPANION_H
#define COMPANION_H

#include <string>

// How a command-line companion answers --help and --version, and how it
// ends: 0 on success, 1 with one line saying what failed, 2 for a malformed
// command line with a line saying why and the usage, 3 for readings checked
// and found outside their tolerance. Every line it prints starts with the
// program's name.
class Companion
{
public:
    enum Status { Succeeded = 0, Failed = 1, Malformed = 2, OutsideTolerance = 3 };

    // usage: the usage text, with or without its last line end.
    Companion(const char* name, const char* usage);

    // Prints the usage on standard output or the release, when asked for;
    // true when one of them was.
    bool answeredHelpOrVersion(bool helpWanted, bool versionWanted) const;
    // Prints "<name>: <why>" and the usage on standard error.
    int malformed(const std::string& why) const;
    // Prints "<name>: <message>" on standard error.
    int fail(const std::string& message) const;

private:
    std::string m_name;
    std::string m_usage; // ends with a line end
};

#endif
