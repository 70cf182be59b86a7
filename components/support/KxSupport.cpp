#include "KxSupport.h"

#include "KxAlloc.h"
#include "KxPacket.h"

namespace {

bool logToFile = false;
bool globalsReady = false;

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
