#include "GamutMonitor.h"

#include "KxCMS.h"

GamutMonitor::GamutMonitor(const char* monitorProfilePath)
{
    // Relative colorimetric: the view shows a profile's white as the
    // monitor's. Refused profiles (not an RGB device profile) leave the
    // handle null.
    if (monitorProfilePath && *monitorProfilePath)
        m_labToMonitor = KxCMSInit(icSigLabData, icSigRgbData, nullptr, monitorProfilePath, icRelativeColorimetric,
                                   ICC_ACCURACY_BEST, 0);
}

GamutMonitor::~GamutMonitor()
{
    KxCMSDestroy(m_labToMonitor);
}

QVector3D GamutMonitor::displayColour(const QVector3D& lab) const
{
    unsigned char rgb[3] = {0, 0, 0};
    KxCMSLabToRGB(m_labToMonitor, lab.x(), lab.y(), lab.z(), rgb);
    return {rgb[0] / 255.0f, rgb[1] / 255.0f, rgb[2] / 255.0f};
}
