#ifndef CHARTDIFFERENCESTATISTICS_H
#define CHARTDIFFERENCESTATISTICS_H

#include <vector>

// How a set of colour differences is spread: what a verification report
// gives for each difference formula. The worst 10 % are the largest
// round(n / 10) differences and the best 90 % the smallest round(9n / 10),
// halves rounded up, so the two may share a patch (as Argyll's colverify
// counts them); either mean is 0 when it counts no patch.
struct ChartDifferenceStatistics {
    unsigned long count = 0;
    double mean = 0.0;
    double maximum = 0.0;
    double standardDeviation = 0.0; // of all the differences (divided by n)
    // The smallest difference that 95 % of the differences do not exceed
    // (nearest rank: the ceil(0.95 n)-th smallest).
    double percentile95 = 0.0;
    double worst10Mean = 0.0;
    double best90Mean = 0.0;

    static ChartDifferenceStatistics of(std::vector<double> differences);
};

#endif
