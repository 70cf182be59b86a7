#include "ChartCullSnapshot.h"

#include "Cie94Bound.h"

#include <algorithm>
#include <utility>

ChartCullSnapshot::ChartCullSnapshot(KxChartPoint* first)
{
    // Sorted by value, with the record number to break ties, the order
    // reads no record's values through its pointer.
    std::vector<std::pair<double, std::size_t>> lightness;
    for (KxChartPoint* point = first; point; point = point->next) {
        records.push_back(point);
        labs.push_back(point->labD50);
        chromas.push_back(Cie94Bound::chroma(point->labD50));
        if (isFinite(point->labD50))
            lightness.emplace_back(point->labD50[0], records.size() - 1);
    }
    present.assign(records.size(), 1);
    clearance.assign(records.size(), 0.0);
    std::sort(lightness.begin(), lightness.end());
    byLightness.reserve(lightness.size());
    for (const auto& colour : lightness)
        byLightness.push_back(colour.second);
}

std::vector<std::size_t> ChartCullSnapshot::compact()
{
    const std::size_t kept = static_cast<std::size_t>(std::count(present.begin(), present.end(), 1));
    if (2 * kept > size())
        return {};
    std::vector<std::size_t> renumbered(size(), REMOVED);
    std::size_t next = 0;
    for (std::size_t i = 0; i < size(); ++i) {
        if (!present[i])
            continue;
        renumbered[i] = next;
        records[next] = records[i];
        labs[next] = labs[i];
        chromas[next] = chromas[i];
        clearance[next] = clearance[i];
        ++next;
    }
    std::vector<std::size_t> lightnessOrder;
    for (std::size_t i : byLightness)
        if (present[i])
            lightnessOrder.push_back(renumbered[i]);
    byLightness.swap(lightnessOrder);
    records.resize(kept);
    labs.resize(kept);
    chromas.resize(kept);
    clearance.resize(kept);
    present.assign(kept, 1);
    return renumbered;
}

std::vector<std::size_t> ChartCullSnapshot::comparable() const
{
    std::vector<std::size_t> result;
    for (std::size_t i : byLightness)
        if (present[i])
            result.push_back(i);
    return result;
}

double ChartCullSnapshot::maxChroma(const std::vector<std::size_t>& colours) const
{
    double result = 0.0;
    for (std::size_t i : colours)
        result = std::max(result, chromas[i]);
    return result;
}

double ChartCullSnapshot::maxChroma() const
{
    double result = 0.0;
    for (std::size_t i : byLightness)
        if (present[i])
            result = std::max(result, chromas[i]);
    return result;
}
