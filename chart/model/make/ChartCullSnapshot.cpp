#include "ChartCullSnapshot.h"

#include "Cie94Bound.h"

#include <KxList.h>

#include <algorithm>

ChartCullSnapshot::ChartCullSnapshot(KxChartPoint* first)
{
    const std::size_t length = ListLength(first);
    records.reserve(length);
    labs.reserve(length);
    chromas.reserve(length);
    for (KxChartPoint* point = first; point; point = point->next) {
        records.push_back(point);
        labs.push_back(point->labD50);
        chromas.push_back(Cie94Bound::chroma(point->labD50));
    }
    present.assign(records.size(), 1);
    clearance.assign(records.size(), 0.0);
    m_maxChroma = maxChroma(comparable());
}

void ChartCullSnapshot::compact()
{
    std::size_t kept = 0;
    for (std::size_t i = 0; i < size(); ++i) {
        if (!present[i])
            continue;
        records[kept] = records[i];
        labs[kept] = labs[i];
        chromas[kept] = chromas[i];
        clearance[kept] = clearance[i];
        ++kept;
    }
    records.resize(kept);
    labs.resize(kept);
    chromas.resize(kept);
    clearance.resize(kept);
    present.assign(kept, 1);
    m_maxChroma = maxChroma(comparable());
}

std::vector<std::size_t> ChartCullSnapshot::comparable(std::size_t from, std::size_t to) const
{
    std::vector<std::size_t> result;
    for (std::size_t i = from; i < to; ++i)
        if (present[i] && isFinite(labs[i]))
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
