#ifndef CHARTSWATCHES_H
#define CHARTSWATCHES_H

#include "KxChartPoint.h"

struct KxCMS;
struct KxCOMBOCOLOUR;

// The patches of a chart made from swatches: one per swatch, in order, with
// no culling. CMYK swatches keep their inks and get their Lab from the
// printer profile; Lab swatches keep their Lab and get their inks from it.
class ChartSwatches
{
public:
    // Appends one record per swatch of the list starting at first to
    // *points. When a record cannot be allocated, writes "Cannot allocate
    // memory" to standard error and stops, keeping the records made so far.
    // monitor may be null.
    static void build(KxChartPoint** points, const KxCOMBOCOLOUR* first, const KxCMS* printer,
                      const KxCMS* monitor);
};

#endif
