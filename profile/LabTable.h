#ifndef LABTABLE_H
#define LABTABLE_H

#include "InkSolver.h"
#include "ProfileProgress.h"

#include <KxCmsPrinterProfile.h>

#include <functional>
#include <string>
#include <vector>

// One Lab-to-inks table of the profile: every node of the Lab grid solved
// for inks, in order of L, then a, then b, each node starting from the
// solutions of the nodes just before it along each axis.
class LabTable
{
public:
    // Turns a node's Lab into the colour to print (a gamut mapping), or
    // null for the colour itself.
    using Mapping = std::function<void(const double lab[3], double target[3])>;

    // Fills table (its points set) with inks and, when distances is given,
    // each node's ΔE from the colour printed. Progress runs from `from` to
    // `to`; false with why when cancelled.
    static bool build(const InkSolver& solver, const Mapping& mapping, KxCmsPrinterProfile::Grid& table,
                      std::vector<double>* distances, const ProfileProgress& progress, double from, double to,
                      std::string& whyNot);
};

#endif
