#ifndef PRINTERRESPONSE_H
#define PRINTERRESPONSE_H

#include "PrinterReadings.h"

#include <string>
#include <vector>

// Whether readings can describe a printer at all. A smooth fit follows
// readings that say nothing (one ink only, every patch the paper, inks
// written as fractions) as closely as readings of a real press, so these
// are refused before fitting: every ink varies, the ink values are
// percentages, each ink's solid is clearly darker than the paper, and more
// of one ink alone never prints clearly lighter. An RGB printer's channels
// are checked as the colourants they put down (PrinterReadings::colourants)
// and named as the user gave them.
class PrinterResponse
{
public:
    // The least CIE 1976 difference between an ink's solid and the paper; a
    // yellow solid on newsprint is still several times as far.
    static constexpr double SOLID_CONTRAST = 10.0;
    // How much lighter (L*) more of an ink may measure, for the instrument's
    // noise and the dark end, where overprints barely differ.
    static constexpr double LIGHTER_TOLERANCE = 2.0;

    // False, with one sentence for the user, when the readings cannot
    // describe the printer. measurements: as colourant in percent;
    // paperLab: the paper's own Lab, as measured.
    static bool check(const std::vector<PrinterMeasurement>& measurements, PrinterDevice device,
                      const double paperLab[3], std::string& whyNot);
};

#endif
