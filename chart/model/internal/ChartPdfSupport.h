#ifndef CHARTPDFSUPPORT_H
#define CHARTPDFSUPPORT_H

// What the chart's PDF documents share: libharu's document as a resource,
// text in the standard fonts, dates. Internal to the chart model: only its
// own sources include libharu's header.

#include <hpdf.h>

#include <ctime>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

namespace ChartPdfSupport {

using Document = std::unique_ptr<std::remove_pointer_t<HPDF_Doc>, decltype(&HPDF_Free)>;

// A new document whose every libharu failure sets *failed; null when
// libharu could not start one.
Document newDocument(bool* failed);
// The whole document in memory; empty when libharu failed.
std::vector<unsigned char> bytesOf(HPDF_Doc document, bool failed);

// UTF-8 as the standard fonts' WinAnsi encoding: ASCII and Latin-1 pass,
// anything else becomes '?'.
std::string winAnsi(const std::string& utf8);
// "2024-05-01 14:30" in local time.
std::string localDate(std::time_t created);
HPDF_Date pdfDate(std::time_t created);

// Draws one line of text; a line wider than room is set smaller to fit.
// alignRight puts its end at x instead of its start.
void showText(HPDF_Page page, HPDF_Font font, double size, double x, double y, const std::string& text,
              double room, bool alignRight = false);

} // namespace ChartPdfSupport

#endif
