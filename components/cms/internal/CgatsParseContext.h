#ifndef CGATSPARSECONTEXT_H
#define CGATSPARSECONTEXT_H

#include <lcms2.h>

#include <cstddef>
#include <string>

// A LittleCMS context for parsing one untrusted CGATS text: every
// allocation made through it counts against a fixed budget and fails once
// the budget is spent, and the parser's error messages are kept for the
// user instead of going to standard error.
class CgatsParseContext
{
public:
    explicit CgatsParseContext(std::size_t budgetBytes);
    ~CgatsParseContext();
    CgatsParseContext(const CgatsParseContext&) = delete;
    CgatsParseContext& operator=(const CgatsParseContext&) = delete;

    // Null when the context itself could not be made.
    cmsContext context() const { return handle; }
    // The first error LittleCMS reported, empty if none.
    const std::string& firstError() const { return error; }
    bool budgetExceeded() const { return exceeded; }
    std::size_t peakBytes() const { return peak; }

private:
    static void* allocate(cmsContext context, cmsUInt32Number size);
    static void release(cmsContext context, void* block);
    static void* reallocate(cmsContext context, void* block, cmsUInt32Number size);
    static void logError(cmsContext context, cmsUInt32Number code, const char* text);
    static CgatsParseContext* owner(cmsContext context);

    std::size_t budget;
    std::size_t used = 0;
    std::size_t peak = 0;
    bool exceeded = false;
    std::string error;
    cmsContext handle = nullptr;
};

#endif
