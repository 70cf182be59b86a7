#include "internal/ChartPdfSupport.h"

#include <KxUtf8.h>

#include <hpdf_fontdef.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>

namespace ChartPdfSupport {

namespace {

const char* const REGULAR_FILE = "DejaVuSans.ttf";
const char* const BOLD_FILE = "DejaVuSans-Bold.ttf";
const char* const FONT_SUBFOLDER = "/fonts/truetype/dejavu";

void noteFailure(HPDF_STATUS, HPDF_STATUS, void* failed)
{
    *static_cast<bool*>(failed) = true;
}

bool isRegularFile(const std::string& path)
{
    struct stat status {};
    return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

// The next character of UTF-8 text at i, moving i past it; a malformed
// byte is KxUtf8::REPLACEMENT.
char32_t nextCharacter(const std::string& utf8, std::size_t& i)
{
    const std::size_t length = KxUtf8::characterLength(utf8, i);
    const char32_t code = length ? KxUtf8::codePointAt(utf8, i) : KxUtf8::REPLACEMENT;
    i += length ? length : 1;
    return code;
}

bool isControl(char32_t code)
{
    return code < 0x20 || (code >= 0x7F && code < 0xA0);
}

TextFont embedded(HPDF_Doc document, const std::string& path)
{
    const char* name = HPDF_LoadTTFontFromFile(document, path.c_str(), HPDF_TRUE);
    if (!name)
        return {};
    return {HPDF_GetFont(document, name, "UTF-8"), HPDF_GetFontDef(document, name)};
}

// Where DejaVu Sans is looked for, in order.
std::vector<std::string> fontFolders()
{
    std::vector<std::string> folders;
    const char* dataFolders = std::getenv("XDG_DATA_DIRS");
    const std::string list = dataFolders && *dataFolders ? dataFolders : "/usr/local/share:/usr/share";
    for (std::size_t start = 0; start <= list.size();) {
        const std::size_t end = std::min(list.find(':', start), list.size());
        if (end > start && list[start] == '/')
            folders.push_back(list.substr(start, end - start) + FONT_SUBFOLDER);
        start = end + 1;
    }
    // Debian's, where the list leaves /usr/share out
    folders.push_back(std::string("/usr/share") + FONT_SUBFOLDER);
    return folders;
}

} // namespace

Document newDocument(bool* failed)
{
    Document document(HPDF_New(noteFailure, failed), HPDF_Free);
    if (document) {
        HPDF_UseUTFEncodings(document.get());
        HPDF_SetCurrentEncoder(document.get(), "UTF-8");
    }
    return document;
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

std::string TextFont::shown(const std::string& utf8) const
{
    std::string text;
    for (std::size_t i = 0; i < utf8.size();) {
        const char32_t code = nextCharacter(utf8, i);
        if (glyphs) {
            // The UTF-8 encoder takes the Basic Multilingual Plane only.
            const bool drawn = !isControl(code) && code <= 0xFFFF
                && HPDF_TTFontDef_GetGlyphid(glyphs, static_cast<HPDF_UINT16>(code)) != 0;
            KxUtf8::append(text, drawn ? code : KxUtf8::REPLACEMENT);
        } else if (!isControl(code) && code <= 0xFF) {
            text += static_cast<char>(code);
        } else {
            char mark[16];
            std::snprintf(mark, sizeof mark, "<U+%04X>", static_cast<unsigned>(code));
            text += mark;
        }
    }
    return text;
}

TextFonts loadFonts(HPDF_Doc document)
{
    for (const std::string& folder : fontFolders()) {
        const std::string regular = folder + "/" + REGULAR_FILE;
        const std::string bold = folder + "/" + BOLD_FILE;
        if (!isRegularFile(regular) || !isRegularFile(bold))
            continue;
        TextFonts fonts{embedded(document, regular), embedded(document, bold)};
        if (fonts.regular.font && fonts.bold.font && fonts.regular.glyphs && fonts.bold.glyphs)
            return fonts;
        // libharu reported the failure, which fails the document
        return {};
    }
    return {{HPDF_GetFont(document, "Helvetica", "WinAnsiEncoding"), nullptr},
            {HPDF_GetFont(document, "Helvetica-Bold", "WinAnsiEncoding"), nullptr}};
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

double textWidth(HPDF_Page page, const TextFont& font, double size, const std::string& text)
{
    HPDF_Page_SetFontAndSize(page, font.font, static_cast<HPDF_REAL>(size));
    return HPDF_Page_TextWidth(page, font.shown(text).c_str());
}

void showText(HPDF_Page page, const TextFont& font, double size, double x, double y, const std::string& text,
              double room, bool alignRight)
{
    const std::string shown = font.shown(text);
    HPDF_Page_SetFontAndSize(page, font.font, static_cast<HPDF_REAL>(size));
    const double width = HPDF_Page_TextWidth(page, shown.c_str());
    if (width > room && width > 0) {
        size *= room / width;
        HPDF_Page_SetFontAndSize(page, font.font, static_cast<HPDF_REAL>(size));
    }
    const double left = alignRight ? x - HPDF_Page_TextWidth(page, shown.c_str()) : x;
    HPDF_Page_BeginText(page);
    HPDF_Page_TextOut(page, static_cast<HPDF_REAL>(left), static_cast<HPDF_REAL>(y), shown.c_str());
    HPDF_Page_EndText(page);
}

} // namespace ChartPdfSupport
