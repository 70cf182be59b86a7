#include "KxCmsProfileDescription.h"

#include "KxCmsProfile.h"

#include <KxUtf8.h>

#include <cstdint>
#include <vector>

namespace {

std::uint32_t bigEndian32(const unsigned char* bytes)
{
    return (std::uint32_t{bytes[0]} << 24) | (std::uint32_t{bytes[1]} << 16) | (std::uint32_t{bytes[2]} << 8) | bytes[3];
}

// A version 2 textDescriptionType: 'desc', 4 reserved bytes, the ASCII
// count and text (with its terminator), then the Unicode language code,
// count and UTF-16BE text (with its terminator). The Unicode text is taken
// when there is one: LittleCMS's own reader answers with the ASCII part,
// which writers fill with a lossy copy. An ASCII part that is not 7-bit is
// read as UTF-8 where it is well formed, else as Latin-1, as writers use
// both.
std::string fromTextDescription(const std::vector<unsigned char>& tag)
{
    std::string text;
    if (tag.size() < 12)
        return text;
    const std::uint64_t asciiCount = bigEndian32(&tag[8]);
    const std::uint64_t unicodeAt = 12 + asciiCount;
    if (unicodeAt + 8 <= tag.size()) {
        const std::uint64_t units = bigEndian32(&tag[unicodeAt + 4]);
        const std::uint64_t first = unicodeAt + 8;
        for (std::uint64_t unit = 0; unit < units && first + 2 * unit + 1 < tag.size(); ++unit) {
            char32_t code = (char32_t{tag[first + 2 * unit]} << 8) | tag[first + 2 * unit + 1];
            if (code == 0)
                break;
            if (code >= 0xD800 && code <= 0xDBFF && unit + 1 < units && first + 2 * unit + 3 < tag.size()) {
                const char32_t low = (char32_t{tag[first + 2 * unit + 2]} << 8) | tag[first + 2 * unit + 3];
                if (low >= 0xDC00 && low <= 0xDFFF) {
                    code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                    ++unit;
                }
            }
            KxUtf8::append(text, code >= 0xD800 && code <= 0xDFFF ? KxUtf8::REPLACEMENT : code);
        }
        if (!text.empty())
            return text;
    }
    std::string ascii;
    for (std::uint64_t i = 12; i < unicodeAt && i < tag.size() && tag[i] != 0; ++i)
        ascii += static_cast<char>(tag[i]);
    for (std::size_t i = 0; i < ascii.size();) {
        const std::size_t length = KxUtf8::characterLength(ascii, i);
        if (length == 0) { // not UTF-8: Latin-1
            text.clear();
            for (const char byte : ascii)
                KxUtf8::append(text, static_cast<unsigned char>(byte));
            return text;
        }
        text.append(ascii, i, length);
        i += length;
    }
    return text;
}

// A version 4 multiLocalizedUnicodeType, in English where it holds several
// languages; LittleCMS reads it whole.
std::string fromLocalized(cmsHPROFILE profile)
{
    const cmsUInt32Number bytes = cmsGetProfileInfo(profile, cmsInfoDescription, "en", "US", nullptr, 0);
    if (bytes < sizeof(wchar_t))
        return {};
    // wchar_t holds UTF-32 here; sizes are in bytes.
    std::vector<wchar_t> wide(bytes / sizeof(wchar_t) + 1, L'\0');
    cmsGetProfileInfo(profile, cmsInfoDescription, "en", "US", wide.data(), bytes);
    std::string text;
    for (const wchar_t character : wide) {
        if (character == L'\0')
            break;
        const auto code = static_cast<char32_t>(character);
        KxUtf8::append(text, code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF) ? KxUtf8::REPLACEMENT : code);
    }
    return text;
}

} // namespace

std::string Kx_profileDescription(const char* path)
{
    const std::shared_ptr<const KxCmsProfile> profile = KxCmsProfile::fromFile(path);
    if (!profile || !cmsIsTag(profile->handle(), cmsSigProfileDescriptionTag))
        return {};
    const cmsUInt32Number size = cmsReadRawTag(profile->handle(), cmsSigProfileDescriptionTag, nullptr, 0);
    if (size < 4)
        return {};
    std::vector<unsigned char> tag(static_cast<std::size_t>(size));
    if (cmsReadRawTag(profile->handle(), cmsSigProfileDescriptionTag, tag.data(), size) != size)
        return {};
    const std::string text =
        bigEndian32(tag.data()) == cmsSigTextDescriptionType ? fromTextDescription(tag) : fromLocalized(profile->handle());
    // Some writers end the text with a line break.
    const char* const SPACE = " \t\r\n";
    const std::size_t first = text.find_first_not_of(SPACE);
    return first == std::string::npos ? std::string() : text.substr(first, text.find_last_not_of(SPACE) - first + 1);
}
