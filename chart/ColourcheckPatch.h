#ifndef COLOURCHECKPATCH_H
#define COLOURCHECKPATCH_H

#include "ChartMeasurementSummary.h"
#include "KxChartPoint.h"

#include <QWidget>

// One patch of the chart on screen: a square in the patch's display colour,
// framed while it is the patch to be measured next and crossed in red when
// its reading is 3.0 or more from the profile's prediction.
class ColourcheckPatch : public QWidget
{
    Q_OBJECT

public:
    // The CIE 1976 difference from which a reading is marked as off.
    static constexpr double CROSS_THRESHOLD = ChartMeasurementSummary::OFF_THRESHOLD;

    ColourcheckPatch(unsigned long width, unsigned long height, QWidget* parent, const char* name);
    ~ColourcheckPatch() override;

    // Shows the record; the reading is reset to the record's D50 Lab.
    void setData(const KxChartPoint& record);
    // Takes a reading: stores it, recomputes the difference and the tooltip.
    void setMeasured(double L, double a, double b);
    // Background colour and tooltip from the current values.
    void updatePatch();
    void setSelected(bool selected);

    KxChartPoint point;     // copy of the record shown; its links are not used
    double measured[3];     // last reading, the record's D50 Lab until one arrives
    double deltaE = 0.0;    // CIE 1976 difference of measured from the D50 Lab
    bool selected = false;  // receives the next reading
    bool hasReading = false; // a reading was taken since the record was set

protected:
    void paintEvent(QPaintEvent* event) override;
};

#endif
