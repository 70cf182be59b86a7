#ifndef SWATCHBYTEREADER_H
#define SWATCHBYTEREADER_H

#include <cstddef>
#include <cstdint>
#include <string>

// Reads big-endian values from a block of bytes without ever reading past
// its end. A read that does not fit fails, returns false and consumes
// nothing, so callers can test every count and length against remaining()
// before they act on it.
class SwatchByteReader
{
public:
    SwatchByteReader(const unsigned char* data, std::size_t size) : bytes(data), end(size) {}

    std::size_t remaining() const { return end - position; }
    bool atEnd() const { return position == end; }

    bool readU16(std::uint16_t& value);
    bool readU32(std::uint32_t& value);
    bool readF32(float& value);
    bool readTag(char (&tag)[5]); // four bytes as text, zero-terminated
    bool skip(std::size_t count);

    // Reads `units` UTF-16BE code units as UTF-8 text, dropping the zero
    // terminator and anything after it; a lone surrogate becomes U+FFFD.
    bool readUtf16(std::size_t units, std::string& text);

    // Hands out the next `size` bytes as a reader of their own and moves past them.
    bool readBlock(std::size_t size, SwatchByteReader& block);

private:
    const unsigned char* bytes;
    std::size_t end;
    std::size_t position = 0;
};

#endif
