#ifndef KXCMSLOG_H
#define KXCMSLOG_H

#include <lcms2.h>

#include <string>

// Keeps LittleCMS quiet: its error handler would otherwise be free to print,
// and a bad profile must only ever make an engine call fail. The engine
// installs this before it asks LittleCMS for anything; the last message is
// kept so that a command-line caller can say why a profile was refused.
class KxCmsLog
{
public:
    static void install();       // idempotent, thread-safe
    // The same for a context of the engine's own (the global one is
    // install()'s).
    static void installIn(cmsContext context);
    static std::string whyNot(); // LittleCMS's last complaint; empty when none
    static void clear();
};

#endif
