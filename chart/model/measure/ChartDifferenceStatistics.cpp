#include "ChartDifferenceStatistics.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

// How many of count differences a share of them takes, halves rounded up.
std::size_t shareOf(std::size_t count, double share)
{
    return static_cast<std::size_t>(std::floor(share * static_cast<double>(count) + 0.5));
}

double meanOf(std::vector<double>::const_iterator first, std::vector<double>::const_iterator last)
{
    const auto count = std::distance(first, last);
    return count ? std::accumulate(first, last, 0.0) / static_cast<double>(count) : 0.0;
}

} // namespace

ChartDifferenceStatistics ChartDifferenceStatistics::of(std::vector<double> differences)
{
    ChartDifferenceStatistics figures;
    if (differences.empty())
        return figures;
    std::sort(differences.begin(), differences.end());
    const std::size_t n = differences.size();
    figures.count = n;
    figures.mean = meanOf(differences.begin(), differences.end());
    figures.maximum = differences.back();
    double squares = 0.0;
    for (double difference : differences)
        squares += (difference - figures.mean) * (difference - figures.mean);
    figures.standardDeviation = std::sqrt(squares / static_cast<double>(n));
    const std::size_t rank = (95 * n + 99) / 100; // ceil(0.95 n) in whole numbers, at least 1
    figures.percentile95 = differences[rank - 1];
    figures.worst10Mean = meanOf(differences.end() - static_cast<long>(shareOf(n, 0.1)), differences.end());
    figures.best90Mean = meanOf(differences.begin(), differences.begin() + static_cast<long>(shareOf(n, 0.9)));
    return figures;
}
