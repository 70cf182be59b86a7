#ifndef GAMUTMONITOR_H
#define GAMUTMONITOR_H

#include <QVector3D>

#include <memory>

class KxCmsTransform;

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
    bool usesMonitorProfile() const { return m_usesMonitorProfile; }

    // RGB, each channel clipped to 0..1. Black when no conversion could be
    // built at all.
    QVector3D displayColour(const QVector3D& lab) const;

private:
    std::shared_ptr<const KxCmsTransform> m_labToMonitor;
    bool m_usesMonitorProfile = false;
};

#endif
