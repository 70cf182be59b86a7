#include "ChartConversions.h"

#include <KxCmsIcc.h>
#include <KxFileNameText.h>

namespace {

// The engine's reason for refusing a conversion between two profiles.
std::string engineWhyNot(const char* inputPath, const char* outputPath)
{
    KxCmsIcc transform;
    return transform.create(inputPath, outputPath) ? std::string("the engine cannot convert it")
                                                   : transform.whyNot();
}

} // namespace

bool ChartConversions::openForGeneration(const char* profilePath, const char* monitorPath)
{
    icProfileClassSignature profileClass{};
    icColorSpaceSignature space{};
    if (!profilePath || !KxCmsIcc::getICCprofileClass(profilePath, profileClass, space))
        return refuse(profilePath, "not a readable ICC profile");
    if (profileClass != icSigInputClass && profileClass != icSigDisplayClass && profileClass != icSigOutputClass)
        return refuse(profilePath, "not an input, display or output profile");
    if (space != icSigRgbData && space != icSigCmykData)
        return refuse(profilePath, "neither an RGB nor a CMYK profile");
    return open(space, profilePath, monitorPath);
}

bool ChartConversions::openForSwatches(const char* profilePath, const char* monitorPath)
{
    icProfileClassSignature profileClass{};
    icColorSpaceSignature space{};
    if (!profilePath || !KxCmsIcc::getICCprofileClass(profilePath, profileClass, space))
        return refuse(profilePath, "not a readable ICC profile");
    if (profileClass != icSigOutputClass || space != icSigCmykData)
        return refuse(profilePath, "swatches need a CMYK output profile");
    return open(space, profilePath, monitorPath);
}

bool ChartConversions::refuse(const char* path, const std::string& reason, bool monitor)
{
    m_profile.reset();
    m_monitor.reset();
    const std::string name = Kx_quotedFileName(path ? path : "");
    m_whyNot = monitor ? "the monitor profile " + name + " cannot be used: " + reason : name + " is refused: " + reason;
    return false;
}

bool ChartConversions::open(icColorSpaceSignature space, const char* profilePath, const char* monitorPath)
{
    m_profile.reset(KxCMSInit(space, space, profilePath, profilePath, 1, 0, 0));
    if (!m_profile)
        return refuse(profilePath, engineWhyNot(profilePath, profilePath));
    return openMonitor(monitorPath);
}

bool ChartConversions::openMonitor(const char* monitorPath)
{
    m_monitor.reset();
    m_whyNot.clear();
    // An empty path, like a null one, means no monitor profile was chosen.
    if (monitorPath && *monitorPath) {
        m_monitor.reset(KxCMSInit(icSigLabData, icSigRgbData, nullptr, monitorPath, 1, 0, 0));
        if (!m_monitor)
            return refuse(monitorPath, engineWhyNot(monitorPath, monitorPath), true);
    }
    return true;
}

bool ChartConversions::givesPatches(const KxCMS* profile)
{
    return profile->inputSpace == icSigCmykData
        || (profile->inputSpace == icSigRgbData && profile->inputClass == icSigOutputClass);
}

std::string ChartConversions::whyNoPatches(const KxCMS* profile, const char* path)
{
    const char* kind = profile->inputClass == icSigDisplayClass ? "display" : "input";
    return Kx_quotedFileName(path ? path : "") + " is an RGB " + kind
        + " profile: only a CMYK profile or an RGB printer profile gives patches";
}

ChartDevice ChartConversions::deviceOf(const KxCMS* profile)
{
    return profile->inputSpace == icSigRgbData ? ChartDevice::Rgb : ChartDevice::Cmyk;
}
