#include "ReferenceCull.h"

#include <KxCMS.h>
#include <KxList.h>

#include <cstdio>

namespace {

double cie94(const KxChartPoint* candidate, const KxChartPoint* reference)
{
    return KxCMS_ColourDiff_CIE94(candidate->labD50, reference->labD50);
}

void writeLine(const ChartProgress& progress, const char* format, double tolerance, unsigned long removed,
               KxChartPoint* first)
{
    char line[160];
    std::snprintf(line, sizeof line, format, tolerance, removed, static_cast<int>(ListLength(first)));
    progress(line);
}

} // namespace

namespace ReferenceCull {

void cullToCount(KxChartPoint** points, unsigned long count, const ChartProgress& progress)
{
    bool reverse = false;
    double tolerance = 2.0;
    while (ListLength(*points) > count) {
        removeDuplicates(points, tolerance, reverse, count, progress);
        tolerance += 0.25;
    }
    removeDuplicates(points, count, tolerance, progress);
}

void removeDuplicates(KxChartPoint** points, double tolerance, bool& reverse, unsigned long target,
                      const ChartProgress& progress)
{
    if (!*points)
        return;
    unsigned long removed = 0;
    unsigned long length = ListLength(*points);
    // The forward pass walks the list from its first record along next,
    // the reverse pass from its last along prev.
    KxChartPoint* KxChartPoint::*onward = reverse ? &KxChartPoint::prev : &KxChartPoint::next;
    KxChartPoint* anchor = reverse ? (*points)->last : *points;
    if (anchor && anchor->*onward) {
        for (;;) {
            KxChartPoint* candidate = anchor->*onward;
            while (candidate) {
                if (cie94(candidate, anchor) < tolerance) {
                    KxChartPoint* following = candidate->*onward;
                    RemoveList(points, candidate);
                    ++removed;
                    if (--length <= target)
                        break;
                    candidate = following;
                } else {
                    candidate = candidate->*onward;
                }
            }
            if (length <= target)
                break;
            anchor = anchor->*onward;
            if (!anchor || !(anchor->*onward))
                break;
        }
        writeLine(progress,
                  reverse ? "reverse rough cull: Tolerance %f, removed %lu duplicates, patches left = %d\n"
                          : "forward rough cull: Tolerance %f, removed %lu duplicates, patches left = %d\n",
                  tolerance, removed, *points);
    }
    reverse = !reverse;
}

void removeDuplicates(KxChartPoint** points, unsigned long target, double tolerance,
                      const ChartProgress& progress)
{
    while (ListLength(*points) > target) {
        unsigned long removed = 0;
        for (;;) {
            double distance = 0.0;
            KxChartPoint* closest = findClosestPoint(*points, distance);
            if (!closest || distance > tolerance)
                break;
            RemoveList(points, closest);
            ++removed;
            if (ListLength(*points) <= target)
                break;
        }
        writeLine(progress, "fine cull:  Tolerance %f, removed %lu duplicates, patches left = %d\n", tolerance,
                  removed, *points);
        tolerance += 0.125;
    }
}

KxChartPoint* findClosestPoint(KxChartPoint* first, double& distance)
{
    distance = 1e20;
    if (!first || !first->next)
        return nullptr;
    KxChartPoint* result = nullptr;
    for (KxChartPoint* anchor = first; anchor->next; anchor = anchor->next)
        for (KxChartPoint* candidate = anchor->next; candidate; candidate = candidate->next) {
            const double d = cie94(candidate, anchor);
            if (d < distance) {
                distance = d;
                result = candidate;
            }
        }
    return result;
}

} // namespace ReferenceCull
