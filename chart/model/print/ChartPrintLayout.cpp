#include "ChartPrintLayout.h"

#include <KxFile.h>

#include <algorithm>
#include <cmath>

namespace {

// How many patches of side patch, gap apart, fit a length (all in mm). The
// small allowance keeps an exact fit from being lost to rounding.
unsigned long fitting(double length, double patch, double gap)
{
    const double count = std::floor((length + gap) / (patch + gap) + 1e-9);
    return count > 0 ? static_cast<unsigned long>(count) : 0;
}

unsigned long fittingColumns(const ChartPrintSettings& s)
{
    return fitting(s.paper.widthMm - 2 * s.marginMm - ChartPrintLayout::ROW_LABELS_MM, s.patchMm, s.gapMm);
}

unsigned long fittingRows(const ChartPrintSettings& s)
{
    return fitting(s.paper.heightMm - 2 * s.marginMm - ChartPrintLayout::HEADER_MM
                       - ChartPrintLayout::COLUMN_LABELS_MM,
                   s.patchMm, s.gapMm);
}

bool within(double value, double minimum, double maximum, const char* what, std::string& whyNot)
{
    if (std::isfinite(value) && value >= minimum && value <= maximum)
        return true;
    char text[128];
    Kx_snprintf(text, sizeof text, "the %s must be from %g to %g mm", what, minimum, maximum);
    whyNot = text;
    return false;
}

} // namespace

ChartPrintLayout::ChartPrintLayout(const ChartPrintSettings& settings, unsigned long patches)
    : chosen(settings), patchCount(patches), columnCount(fittingColumns(settings)), rowCount(fittingRows(settings))
{
}

bool ChartPrintLayout::check(const ChartPrintSettings& s, std::string& whyNot)
{
    if (!within(s.paper.widthMm, ChartPaper::MINIMUM_SIDE_MM, ChartPaper::MAXIMUM_SIDE_MM, "paper width", whyNot)
        || !within(s.paper.heightMm, ChartPaper::MINIMUM_SIDE_MM, ChartPaper::MAXIMUM_SIDE_MM, "paper height",
                   whyNot)
        || !within(s.patchMm, ChartPrintSettings::MINIMUM_PATCH_MM, ChartPrintSettings::MAXIMUM_PATCH_MM,
                   "patch size", whyNot)
        || !within(s.gapMm, 0, ChartPrintSettings::MAXIMUM_GAP_MM, "gap", whyNot)
        || !within(s.marginMm, 0, ChartPrintSettings::MAXIMUM_MARGIN_MM, "margin", whyNot))
        return false;
    if (!fittingColumns(s) || !fittingRows(s)) {
        whyNot = "not one patch fits on the paper inside the margins, the header and the labels";
        return false;
    }
    return true;
}

std::string ChartPrintLayout::rowName(unsigned long row)
{
    std::string name;
    for (unsigned long n = row + 1; n; n = (n - 1) / 26)
        name.insert(name.begin(), static_cast<char>('A' + (n - 1) % 26));
    return name;
}

unsigned long ChartPrintLayout::pages() const
{
    const unsigned long perPage = rows() * columns();
    return perPage ? (patchCount + perPage - 1) / perPage : 0;
}

ChartPrintPlace ChartPrintLayout::place(unsigned long patch) const
{
    const unsigned long perPage = rows() * columns();
    const unsigned long onPage = patch % perPage;
    return {patch / perPage, onPage / columns(), onPage % columns()};
}

unsigned long ChartPrintLayout::patchesOn(unsigned long page) const
{
    const unsigned long first = firstPatch(page);
    return first < patchCount ? std::min(patchCount - first, rows() * columns()) : 0;
}
