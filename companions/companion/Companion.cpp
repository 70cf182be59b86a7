#include "Companion.h"

#include <KxFile.h>
#include <KxFileNameText.h>
#include <KxWriteResult.h>
#include <TintoraVersion.h>

#include <cstdio>

Companion::Companion(const char* name, const char* usage)
    : m_name(name)
    , m_usage(usage)
{
    if (m_usage.empty() || m_usage.back() != '\n')
        m_usage += '\n';
}

std::string Companion::readOptions(int argc, char** argv, std::initializer_list<CompanionOption> options,
                                   bool& helpWanted, bool& versionWanted)
{
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        if (asksHelpOrVersion(name, helpWanted, versionWanted))
            return {};
        const CompanionOption* option = nullptr;
        for (const CompanionOption& known : options)
            if (name == known.name)
                option = &known;
        if (!option)
            return "unknown option " + Kx_quotedFileName(name);
        if (option->flag) {
            *option->flag = true;
            continue;
        }
        if (i + 1 >= argc)
            return "option " + name + " needs a value";
        *option->value = argv[++i];
    }
    return {};
}

bool Companion::asksHelpOrVersion(const std::string& argument, bool& helpWanted, bool& versionWanted)
{
    if (argument == "--help" || argument == "-h")
        helpWanted = true;
    else if (argument == "--version")
        versionWanted = true;
    else
        return false;
    return true;
}

bool Companion::answeredHelpOrVersion(bool helpWanted, bool versionWanted) const
{
    if (helpWanted)
        std::fputs(m_usage.c_str(), stdout);
    else if (versionWanted)
        std::puts(TINTORA_VERSION);
    return helpWanted || versionWanted;
}

int Companion::malformed(const std::string& why) const
{
    std::fprintf(stderr, "%s: %s\n%s", m_name.c_str(), why.c_str(), m_usage.c_str());
    return Malformed;
}

int Companion::fail(const std::string& message) const
{
    std::fprintf(stderr, "%s: %s\n", m_name.c_str(), message.c_str());
    return Failed;
}

int Companion::checkOutputs(std::initializer_list<CompanionFile> outputs,
                            std::initializer_list<CompanionFile> inputs) const
{
    for (const CompanionFile& output : outputs) {
        if (!output.path)
            continue;
        for (const CompanionFile& input : inputs)
            if (Kx_sameFile(output.path, input.path))
                return fail(std::string(output.option) + " " + Kx_quotedFileName(output.path) + " is the " + input.option
                            + " file: it is not overwritten");
        if (!Kx_canWrite(output.path))
            return fail(KxWriteResult::failedWithErrno(KxWriteResult::Opening).message(output.what, output.path));
    }
    return Succeeded;
}
