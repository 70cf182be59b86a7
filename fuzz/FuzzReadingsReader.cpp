// The measurement file reader given arbitrary bytes.

#include "CgatsReadingsReader.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<CgatsReading> readings;
    std::string whyNot;
    const bool read = CgatsReadingsReader::read(data, size, readings, whyNot);
    // A refusal always carries a reason for the user, and keeps nothing.
    if (!read && (whyNot.empty() || !readings.empty()))
        __builtin_trap();
    return 0;
}
