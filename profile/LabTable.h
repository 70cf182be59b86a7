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
class LabTable
{
public:
    // Turns a node's Lab into the colour to print (a gamut mapping), or
    // null for the colour itself.
    using Mapping = std::function<void(const double lab[3], double target[3])>;

    // Fills table (its points set) with inks and, when distances is given,
    // each node's ΔE (CIE 1976) from the colour it prints. Progress runs from `from` to
    // `to`; false with why when cancelled.
    static bool build(const InkSolver& solver, const Mapping& mapping, KxCmsPrinterProfile::Grid& table,
                      std::vector<double>* distances, const ProfileProgress& progress, double from, double to,
                      std::string& whyNot);
};

#endif
