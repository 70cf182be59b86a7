#include "KxCmsLog.h"

#include <mutex>

namespace {

std::mutex& logMutex()
{
    static std::mutex mutex;
    return mutex;
}

std::string& lastMessage()
{
    static std::string message;
    return message;
}

void keepMessage(cmsContext, cmsUInt32Number, const char* text)
{
    std::lock_guard<std::mutex> lock(logMutex());
    lastMessage() = text ? text : "";
}

} // namespace

void KxCmsLog::install()
{
    static std::once_flag installed;
    std::call_once(installed, [] { cmsSetLogErrorHandler(keepMessage); });
}

void KxCmsLog::installIn(cmsContext context)
{
    cmsSetLogErrorHandlerTHR(context, keepMessage);
}

std::string KxCmsLog::whyNot()
{
    std::lock_guard<std::mutex> lock(logMutex());
    return lastMessage();
}

void KxCmsLog::clear()
{
    std::lock_guard<std::mutex> lock(logMutex());
    lastMessage().clear();
}
