#include "ChartConversions.h"

#include <KxCmsIcc.h>

bool ChartConversions::openForGeneration(const char* profilePath, const char* monitorPath)
{
    icProfileClassSignature profileClass{};
    icColorSpaceSignature space{};
    if (!profilePath || !KxCmsIcc::getICCprofileClass(profilePath, profileClass, space))
        return false;
    if (profileClass != icSigInputClass && profileClass != icSigDisplayClass && profileClass != icSigOutputClass)
        return false;
    if (space != icSigRgbData && space != icSigCmykData)
        return false;
    return open(space, profilePath, monitorPath);
}

bool ChartConversions::openForSwatches(const char* profilePath, const char* monitorPath)
{
    icProfileClassSignature profileClass{};
    icColorSpaceSignature space{};
    if (!profilePath || !KxCmsIcc::getICCprofileClass(profilePath, profileClass, space))
        return false;
    if (profileClass != icSigOutputClass || space != icSigCmykData)
        return false;
    return open(space, profilePath, monitorPath);
}

bool ChartConversions::open(icColorSpaceSignature space, const char* profilePath, const char* monitorPath)
{
    m_monitor.reset();
    m_profile.reset(KxCMSInit(space, space, profilePath, profilePath, 1, 0, 0));
    if (!m_profile)
        return false;
    // An empty path, like a null one, means no monitor profile was chosen.
    if (monitorPath && *monitorPath) {
        m_monitor.reset(KxCMSInit(icSigLabData, icSigRgbData, nullptr, monitorPath, 1, 0, 0));
        if (!m_monitor) {
            m_profile.reset();
            return false;
        }
    }
    return true;
}
