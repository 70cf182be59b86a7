#ifndef INSTRUMENTLAB_H
#define INSTRUMENTLAB_H

// The D50 Lab a real instrument reports for a print, one rule for the
// readings a chart takes and those a profile is made from. L may dip just
// below 0 on a deep black (the instrument's noise around a reflectance of
// nearly nothing) and rise above 100 on paper or ink whose brighteners
// fluoresce under the instrument's ultraviolet (a reflectance factor above
// 1); a and b stay within what any print gives. A reading outside is taken
// for a damaged file or a faulty reading.
struct InstrumentLab {
    static constexpr double LOWEST_L = -1.0;
    static constexpr double HIGHEST_L = 105.0;
    static constexpr double LARGEST_AB = 200.0;
};

#endif
