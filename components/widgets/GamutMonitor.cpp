#include "GamutMonitor.h"

#include "KxCmsProfile.h"
#include "KxCmsTransform.h"

#include <algorithm>

namespace {

std::shared_ptr<const KxCmsTransform> labTo(const std::shared_ptr<const KxCmsProfile>& monitor)
{
    if (!monitor || monitor->colourSpace() != icSigRgbData || !monitor->isDeviceProfile())
        return nullptr;
    // Relative colorimetric: the view shows a profile's white as the monitor's.
    return KxCmsTransform::obtain({KxCmsProfile::builtInLab(), TYPE_Lab_DBL, monitor, TYPE_RGB_DBL,
                                   INTENT_RELATIVE_COLORIMETRIC, 0});
}

} // namespace

GamutMonitor::GamutMonitor(const char* monitorProfilePath)
{
    if (monitorProfilePath && *monitorProfilePath)
        m_labToMonitor = labTo(KxCmsProfile::fromFile(monitorProfilePath));
    m_usesMonitorProfile = m_labToMonitor != nullptr;
    if (!m_labToMonitor)
        m_labToMonitor = labTo(KxCmsProfile::builtInSrgb());
}

GamutMonitor::~GamutMonitor() = default;

QVector3D GamutMonitor::displayColour(const QVector3D& lab) const
{
    if (!m_labToMonitor)
        return {};
    const double in[3] = {lab.x(), lab.y(), lab.z()};
    double rgb[3] = {0.0, 0.0, 0.0};
    m_labToMonitor->apply(in, rgb);
    auto unit = [](double v) { return static_cast<float>(std::clamp(v, 0.0, 1.0)); };
    return {unit(rgb[0]), unit(rgb[1]), unit(rgb[2])};
}
