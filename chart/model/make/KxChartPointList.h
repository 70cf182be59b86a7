#ifndef KXCHARTPOINTLIST_H
#define KXCHARTPOINTLIST_H

#include "KxChartPoint.h"

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

    KxChartPoint* first = nullptr;
};

#endif
