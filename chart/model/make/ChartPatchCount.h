#ifndef CHARTPATCHCOUNT_H
#define CHARTPATCHCOUNT_H

// How many patches a chart generated from a profile may be culled to, and
// the count offered when none is given. The window's dialog keeps to
// MAXIMUM, a chart that fits a screen and a page; the command line goes up
// to COMMAND_LINE_MAXIMUM, enough for a chart to make a printer profile
// from, laid out over several pages.
struct ChartPatchCount {
    static constexpr int MINIMUM = 8;
    static constexpr int MAXIMUM = 512;
    static constexpr int COMMAND_LINE_MAXIMUM = 3000;
    static constexpr int DEFAULT = 64;
    // A chart to profile a printer from: the window offers up to
    // COMMAND_LINE_MAXIMUM patches for it, starting from this count.
    static constexpr int PROFILING_DEFAULT = 1000;

    static constexpr bool allowed(long count) { return count >= MINIMUM && count <= MAXIMUM; }
};

#endif
