// One swatch reader given arbitrary bytes. Built once per reader, with
// SWATCH_READER naming the reader class and SWATCH_READER_HEADER its header.

#include "SwatchList.h"
#include SWATCH_READER_HEADER

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    SwatchList list;
    std::string whyNot;
    const bool read = SWATCH_READER::read(data, size, list, whyNot);
    // A refusal always carries a reason for the user.
    if (!read && whyNot.empty())
        __builtin_trap();
    return 0;
}
