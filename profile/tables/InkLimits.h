#ifndef INKLIMITS_H
#define INKLIMITS_H

// How much ink the printer may lay down: the sum of the four inks and the
// black ink alone, as fractions (a total of 3 is 300 %).
struct InkLimits {
    // The range a total limit may be given in: from one full ink to all four.
    static constexpr double LOWEST_TOTAL = 1.0;
    static constexpr double HIGHEST_TOTAL = 4.0;

    double total = 4.0;
    double black = 1.0;

    double highest(int ink) const { return ink == 3 ? black : 1.0; }
    // The inks within the limits nearest to the given ones (Euclidean).
    void project(double inks[4]) const;
};

#endif
