#include "internal/ChartPdfSupport.h"

namespace ChartPdfSupport {

namespace {

void noteFailure(HPDF_STATUS, HPDF_STATUS, void* failed)
{
    *static_cast<bool*>(failed) = true;
}

} // namespace

Document newDocument(bool* failed)
{
    return Document(HPDF_New(noteFailure, failed), HPDF_Free);
}

std::vector<unsigned char> bytesOf(HPDF_Doc document, bool failed)
{
    if (failed || HPDF_SaveToStream(document) != HPDF_OK)
        return {};
    std::vector<unsigned char> bytes(HPDF_GetStreamSize(document));
    HPDF_UINT32 size = static_cast<HPDF_UINT32>(bytes.size());
    const HPDF_STATUS read = HPDF_ReadFromStream(document, bytes.data(), &size);
    if ((read != HPDF_OK && read != HPDF_STREAM_EOF) || size != bytes.size() || bytes.empty())
        return {};
    return bytes;
}

std::string winAnsi(const std::string& utf8)
{
    std::string text;
    for (std::size_t i = 0; i < utf8.size();) {
        const unsigned char lead = static_cast<unsigned char>(utf8[i]);
        int length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 1;
        if (i + length > utf8.size())
            length = 1;
        unsigned code = length == 1 ? lead : lead & (0x7F >> length);
        for (int k = 1; k < length; ++k)
            code = (code << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        const bool shown = (code >= 0x20 && code < 0x7F) || (code >= 0xA0 && code <= 0xFF);
        text += shown ? static_cast<char>(code) : '?';
        i += length;
    }
    return text;
}

std::string localDate(std::time_t created)
{
    std::tm local{};
    char text[32] = "";
    if (localtime_r(&created, &local))
        std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local);
    return text;
}

HPDF_Date pdfDate(std::time_t created)
{
    std::tm utc{};
    gmtime_r(&created, &utc);
    return {utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec, 'Z', 0, 0};
}

void showText(HPDF_Page page, HPDF_Font font, double size, double x, double y, const std::string& text, double room,
              bool alignRight)
{
    HPDF_Page_SetFontAndSize(page, font, static_cast<HPDF_REAL>(size));
    const double width = HPDF_Page_TextWidth(page, text.c_str());
    if (width > room && width > 0) {
        size *= room / width;
        HPDF_Page_SetFontAndSize(page, font, static_cast<HPDF_REAL>(size));
    }
    const double left = alignRight ? x - HPDF_Page_TextWidth(page, text.c_str()) : x;
    HPDF_Page_BeginText(page);
    HPDF_Page_TextOut(page, static_cast<HPDF_REAL>(left), static_cast<HPDF_REAL>(y), text.c_str());
    HPDF_Page_EndText(page);
}

} // namespace ChartPdfSupport
