#ifndef KXCMSLOG_H
#define KXCMSLOG_H

#include <string>

// Keeps LittleCMS quiet: its error handler would otherwise be free to print,
// and a bad profile must only ever make an engine call fail. The engine
// installs this before it asks LittleCMS for anything; the last message is
// kept so that a command-line caller can say why a profile was refused.
class KxCmsLog
{
public:
    static void install();          // idempotent, thread-safe
    static std::string lastError(); // empty when LittleCMS has not complained
    static void clear();
};

#endif
