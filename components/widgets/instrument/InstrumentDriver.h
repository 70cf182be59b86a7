#ifndef INSTRUMENTDRIVER_H
#define INSTRUMENTDRIVER_H

#include <QObject>
#include <QString>

// What the panel knows when the user asks for a reading: the figures typed
// by hand, the chart patch read next (if any) and the device value chosen in
// the panel. Lab is D50; ink is 0..255 for 0..100 % in the order K, C, M, Y.
struct InstrumentTarget {
    double entered[3] = {50.0, 0.0, 0.0};
    bool chartPatch = false;
    double patchLab[3] = {0.0, 0.0, 0.0};
    unsigned char kcmy[4] = {0, 0, 0, 0};
};

// One way of taking a reading. A driver answers read() some time later, on
// the GUI thread, with reading() or with a message() telling why not; it
// never blocks the caller.
class InstrumentDriver : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;
    ~InstrumentDriver() override = default;

    virtual void read(const InstrumentTarget& target) = 0;

signals:
    void reading(double L, double a, double b);
    // A prompt, state or error of the instrument, for the panel to show.
    void message(const QString& text);
};

#endif
