#ifndef CHARTPDFSUPPORT_H
#define CHARTPDFSUPPORT_H

// What the chart's PDF documents share: libharu's document as a resource,
// text in an embedded Unicode font, dates. Internal to the chart model: only
// its own sources include libharu's header.

#include <hpdf.h>

#include <ctime>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

namespace ChartPdfSupport {

using Document = std::unique_ptr<std::remove_pointer_t<HPDF_Doc>, decltype(&HPDF_Free)>;

// A new document whose every libharu failure sets *failed; null when
// libharu could not start one. Its text strings (title, author) are UTF-8.
Document newDocument(bool* failed);
// The whole document in memory; empty when libharu failed.
std::vector<unsigned char> bytesOf(HPDF_Doc document, bool failed);

// A font text is set in, and the characters it can show.
struct TextFont {
    HPDF_Font font = nullptr;
    // The embedded TrueType font's glyphs; null for the standard Helvetica
    // (WinAnsi), used only where no copy of DejaVu Sans is found.
    HPDF_FontDef glyphs = nullptr;

    // UTF-8 as the font's encoding wants it. A character the font has no
    // glyph for, a control character or a malformed byte is shown as U+FFFD
    // (a white question mark on a black diamond); with Helvetica, where
    // only Latin-1 can be shown, as "<U+30B8>".
    std::string shown(const std::string& utf8) const;
};

// The regular and bold faces of the document's text: DejaVu Sans, embedded
// (only the glyphs used), found under fonts/truetype/dejavu in each of
// $XDG_DATA_DIRS (else /usr/local/share and /usr/share), then in Debian's
// /usr/share; Helvetica when no copy is found.
struct TextFonts {
    TextFont regular;
    TextFont bold;
};
TextFonts loadFonts(HPDF_Doc document);

// "2024-05-01 14:30" in local time.
std::string localDate(std::time_t created);
HPDF_Date pdfDate(std::time_t created);

// Draws one line of UTF-8 text; a line wider than room is set smaller to
// fit. alignRight puts its end at x instead of its start.
void showText(HPDF_Page page, const TextFont& font, double size, double x, double y, const std::string& text,
              double room, bool alignRight = false);
// The width of UTF-8 text in the page's current font and size.
double textWidth(HPDF_Page page, const TextFont& font, double size, const std::string& text);

} // namespace ChartPdfSupport

#endif
