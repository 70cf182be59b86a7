#include "SwatchByteReader.h"

#include <KxUtf8.h>

#include <cstring>

bool SwatchByteReader::readU16(std::uint16_t& value)
{
    if (remaining() < 2)
        return false;
    value = static_cast<std::uint16_t>((bytes[position] << 8) | bytes[position + 1]);
    position += 2;
    return true;
}

bool SwatchByteReader::readU32(std::uint32_t& value)
{
    if (remaining() < 4)
        return false;
    value = (std::uint32_t{bytes[position]} << 24) | (std::uint32_t{bytes[position + 1]} << 16)
            | (std::uint32_t{bytes[position + 2]} << 8) | std::uint32_t{bytes[position + 3]};
    position += 4;
    return true;
}

bool SwatchByteReader::readF32(float& value)
{
    std::uint32_t word;
    if (!readU32(word))
        return false;
    static_assert(sizeof(float) == sizeof(word), "IEEE single precision");
    std::memcpy(&value, &word, sizeof value);
    return true;
}

bool SwatchByteReader::readTag(char (&tag)[5])
{
    if (remaining() < 4)
        return false;
    std::memcpy(tag, bytes + position, 4);
    tag[4] = 0;
    position += 4;
    return true;
}

bool SwatchByteReader::skip(std::size_t count)
{
    if (remaining() < count)
        return false;
    position += count;
    return true;
}

bool SwatchByteReader::readUtf16(std::size_t units, std::string& text)
{
    if (remaining() / 2 < units)
        return false;
    text.clear();
    const unsigned char* unit = bytes + position;
    position += units * 2;
    for (std::size_t i = 0; i < units; ++i, unit += 2) {
        const std::uint32_t high = (std::uint32_t{unit[0]} << 8) | unit[1];
        if (high == 0)
            break;
        if (high >= 0xD800 && high < 0xDC00 && i + 1 < units) {
            const std::uint32_t low = (std::uint32_t{unit[2]} << 8) | unit[3];
            if (low >= 0xDC00 && low < 0xE000) {
                KxUtf8::append(text, 0x10000 + ((high - 0xD800) << 10) + (low - 0xDC00));
                ++i;
                unit += 2;
                continue;
            }
        }
        KxUtf8::append(text, high >= 0xD800 && high < 0xE000 ? KxUtf8::REPLACEMENT : high);
    }
    return true;
}

bool SwatchByteReader::readBlock(std::size_t size, SwatchByteReader& block)
{
    if (remaining() < size)
        return false;
    block = SwatchByteReader(bytes + position, size);
    position += size;
    return true;
}
