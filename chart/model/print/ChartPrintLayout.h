#ifndef CHARTPRINTLAYOUT_H
#define CHARTPRINTLAYOUT_H

#include "ChartPrintSettings.h"

#include <string>

// Where a patch lies on the printed chart, counted from 0: its page, and its
// row (from the top) and column (from the left) on that page.
struct ChartPrintPlace {
    unsigned long page = 0;
    unsigned long row = 0;
    unsigned long column = 0;
};

// The printed chart's pages: inside the margins, a header at the top, a band
// of column numbers and a band of row letters, and the grid of patches that
// fills the rest. Patches run in patch order along the rows, page after page.
// Lengths are in PDF points (1/72 inch), measured from the page's lower
// left corner. Pages, places and positions are asked only of settings that
// pass check().
class ChartPrintLayout
{
public:
    static constexpr double HEADER_MM = 16;
    static constexpr double COLUMN_LABELS_MM = 5;
    static constexpr double ROW_LABELS_MM = 8;

    ChartPrintLayout(const ChartPrintSettings& settings, unsigned long patches);

    // True when every length is within its bounds and at least one patch
    // fits the page; otherwise false with the reason.
    static bool check(const ChartPrintSettings& settings, std::string& whyNot);

    static double points(double mm) { return mm * 72.0 / 25.4; }
    // "A" to "Z", then "AA", "AB" and so on.
    static std::string rowName(unsigned long row);

    const ChartPrintSettings& settings() const { return chosen; }
    unsigned long patches() const { return patchCount; }
    unsigned long columns() const { return columnCount; }
    unsigned long rows() const { return rowCount; } // a full page's
    unsigned long pages() const;
    ChartPrintPlace place(unsigned long patch) const;
    // The first patch on the page, and how many patches it holds.
    unsigned long firstPatch(unsigned long page) const { return page * rows() * columns(); }
    unsigned long patchesOn(unsigned long page) const;

    double pageWidth() const { return points(chosen.paper.widthMm); }
    double pageHeight() const { return points(chosen.paper.heightMm); }
    double margin() const { return points(chosen.marginMm); }
    double patchSize() const { return points(chosen.patchMm); }
    double pitch() const { return points(chosen.patchMm + chosen.gapMm); }
    double headerTop() const { return pageHeight() - margin(); }
    double gridLeft() const { return margin() + points(ROW_LABELS_MM); }
    double gridTop() const { return headerTop() - points(HEADER_MM + COLUMN_LABELS_MM); }
    // Lower left corner of the patch in the column and row given.
    double patchLeft(unsigned long column) const { return gridLeft() + pitch() * double(column); }
    double patchBottom(unsigned long row) const { return gridTop() - pitch() * double(row) - patchSize(); }

private:
    ChartPrintSettings chosen;
    unsigned long patchCount;
    unsigned long columnCount;
    unsigned long rowCount;
};

#endif
