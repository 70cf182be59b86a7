#include "KxAlloc.h"

#include <atomic>
#include <cstdlib>
#include <cstring>

namespace {

std::atomic<unsigned long> allocationCount{0};
std::atomic<unsigned long> failingAllocation{0};

} // namespace

void* Kx_DIAGNOSTIC_calloc(std::size_t count, std::size_t size)
{
    const unsigned long number = ++allocationCount;
    const unsigned long failAt = failingAllocation.load();
    if (failAt != 0 && number == failAt) {
        failingAllocation = 0;
        return nullptr;
    }
    if (size != 0 && count > static_cast<std::size_t>(-1) / size)
        return nullptr;
    return std::calloc(count ? count : 1, size ? size : 1);
}

void Kx_DIAGNOSTIC_free(void* block)
{
    std::free(block);
}

char* AllocateAndCopyString(const char* text)
{
    if (!text)
        return nullptr;
    const std::size_t length = std::strlen(text);
    char* copy = static_cast<char*>(Kx_DIAGNOSTIC_calloc(length + 1, 1));
    if (copy)
        std::memcpy(copy, text, length);
    return copy;
}

void KxDiagnosticFailAllocation(unsigned long n)
{
    failingAllocation = n == 0 ? 0 : allocationCount.load() + n;
}

unsigned long KxDiagnosticAllocationCount()
{
    return allocationCount.load();
}
