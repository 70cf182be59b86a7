#include "ChartPaper.h"

#include <KxFile.h>
#include <KxFileNameText.h>

#include <cmath>
#include <cstdlib>
#include <langinfo.h>
#include <locale.h>
#include <strings.h>

namespace {

// Places of A4 and Letter in ChartPaper::named().
constexpr std::size_t A4 = 0;
constexpr std::size_t LETTER = 2;

// The paper of the user's LC_PAPER in whole millimetres; false when the
// setting names no installed locale.
bool localePaperMm(unsigned& width, unsigned& height)
{
    locale_t paperLocale = newlocale(LC_PAPER_MASK, "", static_cast<locale_t>(nullptr));
    if (!paperLocale)
        return false;
    // The C library hands these numbers back in the place of a string.
    union {
        const char* text;
        unsigned number;
    } w, h;
    w.text = nl_langinfo_l(_NL_PAPER_WIDTH, paperLocale);
    h.text = nl_langinfo_l(_NL_PAPER_HEIGHT, paperLocale);
    width = w.number;
    height = h.number;
    freelocale(paperLocale);
    return true;
}

bool sideFromText(const std::string& text, double& side)
{
    if (text.empty() || text.find_first_not_of("0123456789.") != std::string::npos)
        return false;
    char* end = nullptr;
    side = std::strtod(text.c_str(), &end); // digits and '.' only: the same in every locale
    return end && !*end && std::isfinite(side);
}

} // namespace

const std::vector<ChartPaper>& ChartPaper::named()
{
    static const std::vector<ChartPaper> papers{
        {"A4", 210, 297}, {"A3", 297, 420}, {"Letter", 215.9, 279.4}, {"Legal", 215.9, 355.6}};
    return papers;
}

bool ChartPaper::fromText(const std::string& text, ChartPaper& paper, std::string& whyNot)
{
    for (const ChartPaper& candidate : named()) {
        if (!strcasecmp(text.c_str(), candidate.name.c_str())) {
            paper = candidate;
            return true;
        }
    }
    const std::size_t times = text.find_first_of("xX");
    double width = 0;
    double height = 0;
    if (times == std::string::npos || !sideFromText(text.substr(0, times), width)
        || !sideFromText(text.substr(times + 1), height)) {
        whyNot = "the paper must be A4, A3, Letter, Legal or WxH in millimetres, not " + Kx_quotedFileName(text);
        return false;
    }
    if (width < MINIMUM_SIDE_MM || height < MINIMUM_SIDE_MM || width > MAXIMUM_SIDE_MM || height > MAXIMUM_SIDE_MM) {
        char bounds[96];
        Kx_snprintf(bounds, sizeof bounds, "each side of the paper must be from %g to %g mm", MINIMUM_SIDE_MM,
                    MAXIMUM_SIDE_MM);
        whyNot = bounds;
        return false;
    }
    paper = custom(width, height);
    return true;
}

ChartPaper ChartPaper::custom(double widthMm, double heightMm)
{
    char name[64];
    Kx_snprintf(name, sizeof name, "%gx%g", widthMm, heightMm);
    return {name, widthMm, heightMm};
}

ChartPaper ChartPaper::localeDefault()
{
    unsigned width = 0;
    unsigned height = 0;
    const bool read = localePaperMm(width, height);
    const bool a4 = !read || (width == 210 && height == 297);
    return named()[a4 ? A4 : LETTER];
}
