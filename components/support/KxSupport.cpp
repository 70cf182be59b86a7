#include "KxSupport.h"

#include "KxAlloc.h"
#include "KxPacket.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

bool logToFile = false;
bool globalsReady = false;

std::string logFilePath()
{
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    std::string folder;
    if (config && *config)
        folder = config;
    else if (home && *home)
        folder = std::string(home) + "/.config";
    else
        folder = "/tmp";
    return folder + "/tintora-errors.log";
}

} // namespace

int Kx_InitSubSystems(int)
{
    KxDiagnosticFailAllocation(0);
    logToFile = false;
    return 0;
}

int LogErrorLogtofile(int toFile)
{
    const int previous = logToFile ? 1 : 0;
    logToFile = toFile != 0;
    return previous;
}

int KxInitGlobals()
{
    globalsReady = true;
    return 1;
}

int KxInitStorageClasses()
{
    return globalsReady ? KxRegisterBuiltinPacketClasses() : 1;
}

void KxLogError(const char* format, ...)
{
    FILE* out = stderr;
    FILE* file = nullptr;
    if (logToFile) {
        file = std::fopen(logFilePath().c_str(), "a");
        if (file)
            out = file;
    }
    va_list args;
    va_start(args, format);
    std::vfprintf(out, format, args);
    va_end(args);
    if (file)
        std::fclose(file);
}
