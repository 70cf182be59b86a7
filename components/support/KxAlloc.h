#ifndef KXALLOC_H
#define KXALLOC_H

#include <cstddef>

// Zero-filled allocation used for every record of the program's lists.
// Returns null when memory is exhausted, when count * size overflows, or when
// the diagnostics below say this allocation is to fail.
void* Kx_DIAGNOSTIC_calloc(std::size_t count, std::size_t size);
void Kx_DIAGNOSTIC_free(void* block);

// Heap copy of a text made with Kx_DIAGNOSTIC_calloc (release with
// Kx_DIAGNOSTIC_free); null for a null text or when allocation fails.
char* AllocateAndCopyString(const char* text);

// Diagnostics for out-of-memory paths: after KxDiagnosticFailAllocation(n)
// with n > 0 the n-th following call of Kx_DIAGNOSTIC_calloc fails (and only
// that one); n == 0 switches failing off.
void KxDiagnosticFailAllocation(unsigned long n);
// Number of Kx_DIAGNOSTIC_calloc calls made since start-up, failed or not.
unsigned long KxDiagnosticAllocationCount();

#endif
