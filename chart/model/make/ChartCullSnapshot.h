#ifndef CHARTCULLSNAPSHOT_H
#define CHARTCULLSNAPSHOT_H

#include "KxChartPoint.h"

#include <KxColourMath.h>

#include <cmath>
#include <cstddef>
#include <vector>

// A point list as an array in list order, as the culls work on it: the
// records removed since are marked absent, and their entries are never
// read again (the records themselves are gone).
struct ChartCullSnapshot {
    explicit ChartCullSnapshot(KxChartPoint* first);

    static bool isFinite(const double* lab)
    {
        return std::isfinite(lab[0]) && std::isfinite(lab[1]) && std::isfinite(lab[2]);
    }

    std::size_t size() const { return records.size(); }

    // Drops the entries of the removed records, keeping the order and what
    // is known of the others; the records are numbered anew.
    void compact();

    // The present colours with a finite Lab, in list order; of all, or
    // of those numbered from `from` up to but not including `to`.
    std::vector<std::size_t> comparable() const { return comparable(0, size()); }
    std::vector<std::size_t> comparable(std::size_t from, std::size_t to) const;

    double maxChroma(const std::vector<std::size_t>& colours) const;
    // The same over the present colours with a finite Lab when the
    // snapshot was made or last compacted: as records only go, no present
    // colour's chroma is larger.
    double maxChroma() const { return m_maxChroma; }

    // The engine's CIE94 difference of two records, candidate first.
    double cie94(std::size_t candidate, std::size_t reference) const
    {
        return KxColourMath::deltaE94(records[candidate]->labD50, records[reference]->labD50);
    }

    std::vector<KxChartPoint*> records;
    std::vector<const double*> labs;
    std::vector<double> chromas;
    std::vector<char> present;
    // A CIE94 difference that no present record is closer than to this
    // one; as records only go, it stays true. 0 when not known.
    std::vector<double> clearance;

private:
    double m_maxChroma = 0.0;
};

#endif
