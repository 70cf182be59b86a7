#ifndef CHARTREADING_H
#define CHARTREADING_H

// A reading taken for one patch of a chart: the patch's index in list
// order (from 0) and the measured D50 L, a, b.
struct ChartReading {
    unsigned long patch;
    double lab[3];
};

#endif
