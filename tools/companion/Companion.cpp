#include "Companion.h"

#include <TintoraVersion.h>

#include <cstdio>

Companion::Companion(const char* name, const char* usage)
    : m_name(name)
    , m_usage(usage)
{
    if (m_usage.empty() || m_usage.back() != '\n')
        m_usage += '\n';
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
