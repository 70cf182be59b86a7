#ifndef LABTABLE_H
#define LABTABLE_H

#include "InkSolver.h"
#include "ProfileProgress.h"

#include <KxCmsPrinterProfile.h>

#include <functional>
#include <string>
#include <vector>

// One Lab-to-inks table of the profile: every node of the Lab grid solved
// for inks, from the paper's L down to 0, then in order of a and b, each
// node starting from the solutions of its lighter neighbour and of the
// nodes just before it along a and b. Solving from the paper down follows
// the neutral ramp into the black, so its inks change smoothly.
//
// Paper white and its eight neighbours at L 100 (one step along a, b or
// both) take no ink: nothing lighter than the paper and that close to it
// should print. A reader that resamples the table on a grid of its own
// (LittleCMS's optimised 8- and 16-bit transforms put a and b 0 between two
// of their nodes) then still finds no ink all around L 100, a 0, b 0, and
// prints paper white with no ink on every path.
class LabTable
{
public:
    // Turns a node's Lab into the colour to print (a gamut mapping), or
    // null for the colour itself.
    using Mapping = std::function<void(const double lab[3], double target[3])>;

    // Fills table (its points set) with the solver's channels of inks and, when distances is given,
    // each node's ΔE (CIE 1976) from the colour it prints. Progress runs from `from` to
    // `to`; false with why when cancelled.
    static bool build(const InkSolver& solver, const Mapping& mapping, KxCmsPrinterProfile::Grid& table,
                      std::vector<double>* distances, const ProfileProgress& progress, double from, double to,
                      std::string& whyNot);
};

#endif
