#ifndef CHARTCULL_H
#define CHARTCULL_H

#include "ChartProgress.h"
#include "KxChartPoint.h"

// Thinning a point list out by CIE94 difference of the D50 Lab values,
// keeping the list order.
//
// Contract. Each cull gives exactly what the plain walk gives that compares
// every remaining record with every later one, the candidate's Lab always
// first to CIE94 (kept beside the tests as the reference): the same records
// removed in the same order, and the same progress lines. The one departure:
// once fewer than two records have a finite Lab nothing can be removed, and
// the culls stop instead of raising the tolerance for ever.
//
// Structures and what each guarantees:
//  - The snapshot (ChartCullSnapshot): the list as an array in list order.
//    A record removed is unlinked at once and only marked absent in the
//    array (lazy deletion); an absent entry's record is never read again.
//    compact() drops the absent entries and renumbers the rest; it happens
//    only between rough passes, just before the neighbour lists are learnt
//    afresh. maxChroma() is never below the chroma of a present record.
//    clearance[i]: no present record is closer to record i than that, by
//    CIE94 (0 when nothing is known); as records only go, it stays true.
//  - The CIE94 bound (Cie94Bound): filter and refine. Cheap lower bounds
//    (|dL|, and dE76 over the largest chroma weight) and an evaluation of
//    the formula with a margin either side put a pair certainly beyond or
//    certainly within a tolerance; only the pairs left unsure go to the
//    engine. Its header proves the bounds sound.
//  - The colour index (ChartLabIndex): a uniform grid (cell list) over L,
//    a and b, filled by a counting sort. The cells of one a-b column follow
//    in ascending L, so an L range of a column is one run. visitNear finds
//    exactly the colours within given reaches of one colour; visitPairs
//    every pair within the reach of the smaller chroma, once (and perhaps
//    a few pairs beyond it).
//  - The neighbour lists (ChartRoughNeighbourhoods): fixed-radius
//    neighbour lists with a skin, as Verlet lists are. For each present
//    record, every present record the bound does not put beyond the reach,
//    which is REACH_PER_TOLERANCE times the tolerance of the pass they were
//    learnt for; that margin (the skin) lets the passes after it reuse them
//    up to the reach. Removed records stay in the lists and are skipped.
//  - The closest-pair search (ChartPairSearch): every present record keeps
//    its closest later partner within a limit (of equally close ones the
//    earliest). Taking a record away brings no other pair closer, so only
//    the records whose partner went are searched again.
//
// Which pass uses what:
//  - Rough pass. All passes of one cullToCount share a snapshot.
//    1. The lists: the first pass learns them along the way, looking around
//       each record as it reaches it among those not yet reached. A later
//       pass reads them if its tolerance is within their reach and the pass
//       that learnt them reached every record; else it compacts the
//       snapshot and learns them for all records at once.
//    2. Each present anchor, in pass order, unless its clearance reaches the
//       tolerance (a pass that learns along takes every one): of its
//       neighbours further on in the pass's direction, the bound, or the
//       engine where the bound is unsure, picks those closer than the
//       tolerance; they are removed in pass order, stopping once the list is
//       down to the target; the anchor's clearance is then set from the
//       neighbours that stay.
//    This is the walk's result: a record closer than the tolerance is within
//    the reach, so in the lists; the bound never misjudges; an anchor skipped
//    for its clearance would have removed nothing; and the length is checked
//    after each removal and each anchor, as the walk does.
//  - Fine cull. Each raising of the tolerance makes a snapshot and a
//    closest-pair search limited to the tolerance, and takes pairs from it
//    while they are within the tolerance; the walk finds its pairs in the
//    same order (earliest first record, then earliest second, on ties).
//  - findClosestPoint. Closest-pair searches with limits 1, 2, 4 and so on,
//    until one finds a pair or its index puts every pair within its reach.
class ChartCull
{
public:
    static constexpr double FIRST_ROUGH_TOLERANCE = 2.0;
    static constexpr double ROUGH_TOLERANCE_STEP = 0.25;
    static constexpr double FINE_TOLERANCE_STEP = 0.125;
    // The neighbour lists are learnt for this many times the tolerance of
    // the pass that needs them, so that they also serve the passes after
    // it, until the growing tolerance passes that reach.
    static constexpr double REACH_PER_TOLERANCE = 1.25;

    // Rough passes, alternately forward and reverse with a growing
    // tolerance, while the list holds more than count records; then the
    // fine cull from the tolerance reached. A count below 1 is taken as 1.
    static void cullToCount(KxChartPoint** points, unsigned long count, const ChartProgress& progress);

    // One rough pass: forward (reverse false) each record removes the later
    // records closer than tolerance (strictly), reverse each record removes
    // the earlier ones; stops as soon as the list is down to target.
    // Writes one progress line and inverts reverse (nothing for an empty list).
    static void removeDuplicates(KxChartPoint** points, double tolerance, bool& reverse,
                                 unsigned long target, const ChartProgress& progress);

    // The fine cull: while the list holds more than target records, removes
    // the later record of the closest pair as long as that pair is no
    // further apart than the tolerance, then writes a progress line and
    // raises the tolerance by the fine step.
    static void removeDuplicates(KxChartPoint** points, unsigned long target, double tolerance,
                                 const ChartProgress& progress);
};

// The closest pair of the list starting at first: returns its later record
// and sets distance to its difference, or returns null (distance 1e20) when
// there is no pair. Of equally close pairs the one met first wins: the
// earliest first record, then the earliest second.
KxChartPoint* findClosestPoint(KxChartPoint* first, double& distance);

#endif
