#ifndef CHARTCONVERSIONS_H
#define CHARTCONVERSIONS_H

#include "ChartDevice.h"
#include "KxCMSHandle.h"

#include <string>

// The two engine conversions a chart is built with: the source profile to
// itself (device values to Lab and back) and built-in Lab to the monitor
// (display colours). Both are released with the object.
class ChartConversions
{
public:
    // For a chart generated from a profile: an input, display or output
    // profile in RGB or CMYK. A null or empty monitor path means no
    // monitor conversion. False when the profile is refused or a conversion fails.
    bool openForGeneration(const char* profilePath, const char* monitorPath);
    // For a chart of swatches: an output profile in CMYK only.
    bool openForSwatches(const char* profilePath, const char* monitorPath);
    // For a chart made with no profile: the monitor conversion alone
    // (none for a null or empty path); profile() stays null.
    bool openMonitor(const char* monitorPath);

    // Why the last open refused a profile, naming it: "'x.icc' is refused:
    // the input profile's media white is no paper or display white", or
    // "the monitor profile 'm.icc' cannot be used: ..."; empty after a success.
    const std::string& whyNot() const { return m_whyNot; }

    KxCMS* profile() const { return m_profile.get(); }
    KxCMS* monitor() const { return m_monitor.get(); }

    // Whether a chart from the profile has patches: a CMYK profile of any
    // class does, and an RGB printer ('prtr') profile; an RGB input or
    // display profile describes no printer.
    static bool givesPatches(const KxCMS* profile);
    // Why a profile gives no patches, naming it by path: "'x.icc' is an RGB
    // display profile: only a CMYK profile or an RGB printer profile gives patches".
    static std::string whyNoPatches(const KxCMS* profile, const char* path);
    // The device a chart from a profile that gives patches is printed on.
    static ChartDevice deviceOf(const KxCMS* profile);

private:
    bool open(icColorSpaceSignature space, const char* profilePath, const char* monitorPath);
    bool refuse(const char* path, const std::string& reason, bool monitor = false);

    KxCMSHandle m_profile;
    KxCMSHandle m_monitor;
    std::string m_whyNot;
};

#endif
