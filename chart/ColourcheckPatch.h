#ifndef COLOURCHECKPATCH_H
#define COLOURCHECKPATCH_H

#include "ChartMeasurementSummary.h"
#include "KxChartPoint.h"

#include <QColor>
#include <QWidget>

#include <optional>

class ChartMeasurementSession;
class QPainter;

// One patch of the chart on screen: a square in the patch's display colour,
// framed while it is the patch to be measured next and crossed in red when
// its reading is 3.0 or more from the profile's prediction. The reading is
// the measuring session's; the patch only shows it.
class ColourcheckPatch : public QWidget
{
    Q_OBJECT

public:
    // The CIE 1976 difference from which a reading is marked as off.
    static constexpr double CROSS_THRESHOLD = ChartMeasurementSummary::OFF_THRESHOLD;

    ColourcheckPatch(unsigned long width, unsigned long height, QWidget* parent, const char* name);
    ~ColourcheckPatch() override;

    // Shows patch `index` of the session's chart with its reading. A patch
    // shown without a session has no reading and takes none.
    void setSession(ChartMeasurementSession* session, unsigned long index);
    // Shows the record.
    void setData(const KxChartPoint& record);
    // Gives the session a reading of this patch and shows it.
    void setMeasured(double L, double a, double b);
    // Background colour and tooltip from the current values.
    void updatePatch();
    void setSelected(bool selected);
    // Shows the patch in rgb (R, G, B), as its print is predicted to look,
    // instead of its display colour; null goes back to the display colour.
    void showProof(const unsigned char* rgb);

    // The patch's reading: the record's D50 Lab until one is taken.
    const double* measured() const;
    // The CIE 1976 difference of the reading from the D50 Lab; 0 until one is taken.
    double deltaE() const;
    bool hasReading() const;
    // The mark of a patch that is off, over the rectangle (0, 0, w, h): the
    // red cross, in a white band with a dark edge so it shows on any colour.
    static void drawCross(QPainter& painter, int w, int h);

    KxChartPoint point;     // copy of the record shown; its links are not used
    bool selected = false;  // receives the next reading

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ChartMeasurementSession* session = nullptr;
    unsigned long index = 0;
    std::optional<QColor> proofColour;
};

#endif
