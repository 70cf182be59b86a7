#include "GamutMonitor.h"

#include "KxCmsConversion.h"

#include <algorithm>
#include <cmath>

namespace {

// A channel fraction as one of the 256 levels a display channel shows.
float displayLevel(double fraction)
{
    return float(std::lround(std::clamp(fraction, 0.0, 1.0) * 255.0)) / 255.0f;
}

} // namespace

GamutMonitor::GamutMonitor(const char* monitorProfilePath)
{
    // Relative colorimetric: the view shows a profile's white as the
    // monitor's. Profiles that are no RGB device profile leave sRGB in use.
    if (!monitorProfilePath || !*monitorProfilePath)
        return;
    KxCmsConversion::Settings settings;
    settings.intent = icRelativeColorimetric;
    settings.highAccuracy = true;
    m_labToMonitor = KxCmsConversion::openFromLab(monitorProfilePath, settings);
    if (m_labToMonitor && m_labToMonitor->outputSpace() != icSigRgbData)
        m_labToMonitor.reset();
}

GamutMonitor::~GamutMonitor() = default;

QVector3D GamutMonitor::displayColour(const QVector3D& lab) const
{
    const KxCmsConversion* conversion = m_labToMonitor ? m_labToMonitor.get() : KxCmsConversion::labToBuiltInSrgb();
    // From Lab, whose white is D50, the D50 Lab is the relative Lab that
    // labToDevice takes.
    const double relative[3] = {lab.x(), lab.y(), lab.z()};
    double rgb[3];
    // Black for a colour the engine cannot convert.
    if (!conversion || !conversion->labToDevice(relative, rgb))
        return {};
    return {displayLevel(rgb[0]), displayLevel(rgb[1]), displayLevel(rgb[2])};
}
