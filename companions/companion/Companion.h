#ifndef COMPANION_H
#define COMPANION_H

#include <initializer_list>
#include <string>

// One option of a companion's command line: a flag, or an option whose value
// is the next argument.
struct CompanionOption {
    CompanionOption(const char* optionName, bool& setFlag) : name(optionName), flag(&setFlag) {}
    CompanionOption(const char* optionName, const char*& valueOf) : name(optionName), value(&valueOf) {}

    const char* name; // "--profile"
    bool* flag = nullptr;
    const char** value = nullptr;
};

// A file a companion's command line names: the option and its value, null
// when the option is not given.
struct CompanionFile {
    const char* option; // "--out"
    const char* path;
    const char* what = nullptr; // an output's content, as its write failure names it: "the profile"
};

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

    // Reads the command line by its options, in order. --help (or -h) and
    // --version set helpWanted or versionWanted and end the reading; a flag
    // is set; an option takes the next argument as its value, the last one
    // given winning. Returns why the command line is malformed (an unknown
    // option, or an option without its value), or nothing.
    static std::string readOptions(int argc, char** argv, std::initializer_list<CompanionOption> options,
                                   bool& helpWanted, bool& versionWanted);
    // Whether the argument is --help (or -h) or --version, setting
    // helpWanted or versionWanted; a companion reads no further once it is.
    static bool asksHelpOrVersion(const std::string& argument, bool& helpWanted, bool& versionWanted);

    // Prints the usage on standard output or the release, when asked for;
    // true when one of them was.
    bool answeredHelpOrVersion(bool helpWanted, bool versionWanted) const;
    // Prints "<name>: <why>" and the usage on standard error.
    int malformed(const std::string& why) const;
    // Prints "<name>: <message>" on standard error.
    int fail(const std::string& message) const;
    // Fails with one line when an output is the same file as an input, so
    // that no input is overwritten, or cannot be written now; otherwise 0.
    // Asked before long work and before anything is written.
    int checkOutputs(std::initializer_list<CompanionFile> outputs, std::initializer_list<CompanionFile> inputs) const;

private:
    std::string m_name;
    std::string m_usage; // ends with a line end
};

#endif
