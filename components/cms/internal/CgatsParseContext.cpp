#include "CgatsParseContext.h"

#include <lcms2_plugin.h>

#include <cstddef>
#include <cstdlib>
#include <cstring>

namespace {

// Each block starts with its size and the part of it charged to a budget,
// padded so the caller's part stays aligned for any type.
struct BlockHeader {
    std::size_t size;
    std::size_t charged;
};
constexpr std::size_t headerSize = sizeof(BlockHeader) > alignof(std::max_align_t) ? sizeof(BlockHeader)
                                                                                   : alignof(std::max_align_t);

BlockHeader* headerOf(void* block)
{
    return reinterpret_cast<BlockHeader*>(static_cast<unsigned char*>(block) - headerSize);
}

} // namespace

CgatsParseContext::CgatsParseContext(std::size_t budgetBytes)
    : budget(budgetBytes)
{
    static cmsPluginMemHandler memory = {
        {cmsPluginMagicNumber, 2000, cmsPluginMemHandlerSig, nullptr},
        &CgatsParseContext::allocate, &CgatsParseContext::release, &CgatsParseContext::reallocate,
        nullptr, nullptr, nullptr};
    handle = cmsCreateContext(&memory, this);
    if (handle)
        cmsSetLogErrorHandlerTHR(handle, &CgatsParseContext::logError);
}

CgatsParseContext::~CgatsParseContext()
{
    if (handle)
        cmsDeleteContext(handle);
}

CgatsParseContext* CgatsParseContext::owner(cmsContext context)
{
    return context ? static_cast<CgatsParseContext*>(cmsGetContextUserData(context)) : nullptr;
}

void* CgatsParseContext::allocate(cmsContext context, cmsUInt32Number size)
{
    CgatsParseContext* self = owner(context);
    if (self) {
        if (size > self->budget - self->used) {
            self->exceeded = true;
            return nullptr;
        }
        self->used += size;
        if (self->used > self->peak)
            self->peak = self->used;
    }
    void* header = std::malloc(headerSize + size);
    if (!header) {
        if (self)
            self->used -= size;
        return nullptr;
    }
    auto* block = static_cast<unsigned char*>(header) + headerSize;
    *headerOf(block) = {size, self ? size : 0};
    return block;
}

void CgatsParseContext::release(cmsContext context, void* block)
{
    if (!block)
        return;
    BlockHeader* header = headerOf(block);
    if (CgatsParseContext* self = owner(context))
        self->used -= header->charged;
    std::free(header);
}

void* CgatsParseContext::reallocate(cmsContext context, void* block, cmsUInt32Number size)
{
    void* grown = allocate(context, size);
    if (grown && block) {
        const std::size_t oldSize = headerOf(block)->size;
        std::memcpy(grown, block, oldSize < size ? oldSize : size);
        release(context, block);
    }
    return grown;
}

void CgatsParseContext::logError(cmsContext context, cmsUInt32Number, const char* text)
{
    CgatsParseContext* self = owner(context);
    if (self && self->error.empty() && text)
        self->error = text;
}
