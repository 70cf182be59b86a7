#ifndef KXCHARTPOINTLIST_H
#define KXCHARTPOINTLIST_H

#include "KxChartPoint.h"

#include <KxAlloc.h>
#include <KxList.h>

// Owns a point list for code that holds one outside a chart window (the
// command-line tool, benchmarks, tests): releases it when it goes.
class KxChartPointList
{
public:
    KxChartPointList() = default;
    ~KxChartPointList() { FreeList(&first); }
    KxChartPointList(const KxChartPointList&) = delete;
    KxChartPointList& operator=(const KxChartPointList&) = delete;

    unsigned long length() const { return ListLength(first); }

    // A new generated record at the end of the list, zero-filled but for its
    // kind; null, adding nothing, when memory runs out.
    KxChartPoint* append()
    {
        auto* point = static_cast<KxChartPoint*>(Kx_DIAGNOSTIC_calloc(1, sizeof(KxChartPoint)));
        if (!point)
            return nullptr;
        point->kind = KX_CHART_POINT_KIND;
        AddList(&first, point);
        return point;
    }

    KxChartPoint* first = nullptr;
};

#endif
