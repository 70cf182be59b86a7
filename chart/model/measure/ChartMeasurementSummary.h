#ifndef CHARTMEASUREMENTSUMMARY_H
#define CHARTMEASUREMENTSUMMARY_H

#include "ChartDifferenceStatistics.h"

#include <string>
#include <vector>

// What the readings of a chart come to: how many patches are measured, the
// mean and largest CIE 1976 and CIEDE2000 differences of the readings from
// the profile's predictions, and how many are marked as off.
class ChartMeasurementSummary
{
public:
    // The CIE 1976 difference from which a reading is marked as off (the
    // patch's red cross).
    static constexpr double OFF_THRESHOLD = 3.0;

    explicit ChartMeasurementSummary(unsigned long patches) : patchCount(patches) {}

    // Counts one reading against the patch's predicted D50 Lab.
    void add(const double* measured, const double* predicted);
    // How many of the readings are the mean of repeated readings of a patch.
    void setAveraged(unsigned long patches) { averagedCount = patches; }

    unsigned long patches() const { return patchCount; }
    unsigned long measured() const { return static_cast<unsigned long>(differences76.size()); }
    unsigned long off() const { return offCount; }
    unsigned long averaged() const { return averagedCount; }
    // The spread of the differences in either formula; its mean and maximum
    // are the figures the readings line gives, as the report does.
    ChartDifferenceStatistics deltaE76() const { return ChartDifferenceStatistics::of(differences76); }
    ChartDifferenceStatistics deltaE2000() const { return ChartDifferenceStatistics::of(differences2000); }

    // One line for the command line, three decimals, '.' as decimal point:
    // "measured 12 of 64 patches: dE76 mean 1.234 max 4.567, dE2000 mean
    // 0.987 max 3.210, 2 at 3.0 or more", followed by ", 3 averaged from
    // repeats" when readings were averaged.
    std::string line() const;

private:
    unsigned long patchCount;
    unsigned long offCount = 0;
    unsigned long averagedCount = 0;
    std::vector<double> differences76;
    std::vector<double> differences2000;
};

#endif
