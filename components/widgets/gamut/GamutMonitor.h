#ifndef GAMUTMONITOR_H
#define GAMUTMONITOR_H

#include <QVector3D>

#include <memory>

class KxCmsConversion;

// Turns D50 Lab into the colours the monitor must show for it, through the
// monitor's profile, or through sRGB when there is none or it cannot be used.
class GamutMonitor
{
public:
    explicit GamutMonitor(const char* monitorProfilePath);
    ~GamutMonitor();
    GamutMonitor(const GamutMonitor&) = delete;
    GamutMonitor& operator=(const GamutMonitor&) = delete;

    // False when sRGB stands in for the monitor profile.
    bool usesMonitorProfile() const { return m_labToMonitor != nullptr; }

    // RGB, each channel 0..1 in steps of 1/255.
    QVector3D displayColour(const QVector3D& lab) const;

private:
    std::unique_ptr<KxCmsConversion> m_labToMonitor; // null: the engine's built-in sRGB
};

#endif
