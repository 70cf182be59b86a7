// One swatch reader given arbitrary bytes. The reader is the entry of the
// swatch reader table named by TINTORA_FUZZ_READER ("ase", "cgats", ...);
// scripts/fuzz.sh runs this once per entry.

#include "SwatchList.h"
#include "SwatchReaderTable.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

const SwatchReaderEntry* reader = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    const char* name = std::getenv("TINTORA_FUZZ_READER");
    reader = name ? SwatchReaderTable::find(name) : nullptr;
    if (!reader) {
        std::fprintf(stderr, "TINTORA_FUZZ_READER names no swatch reader\n");
        std::exit(2);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    SwatchList list;
    std::string whyNot;
    const bool read = reader->read(data, size, list, whyNot);
    // A refusal always carries a reason for the user.
    if (!read && whyNot.empty())
        __builtin_trap();
    return 0;
}
