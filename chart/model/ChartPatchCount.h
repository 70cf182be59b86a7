#ifndef CHARTPATCHCOUNT_H
#define CHARTPATCHCOUNT_H

// How many patches a chart generated from a profile may be culled to, and
// the count offered when none is given.
struct ChartPatchCount {
    static constexpr int MINIMUM = 8;
    static constexpr int MAXIMUM = 512;
    static constexpr int DEFAULT = 64;

    static constexpr bool allowed(long count) { return count >= MINIMUM && count <= MAXIMUM; }
};

#endif
