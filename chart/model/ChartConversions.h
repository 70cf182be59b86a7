#ifndef CHARTCONVERSIONS_H
#define CHARTCONVERSIONS_H

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

private:
    bool open(icColorSpaceSignature space, const char* profilePath, const char* monitorPath);
    bool refuse(const char* path, const std::string& reason, bool monitor = false);

    KxCMSHandle m_profile;
    KxCMSHandle m_monitor;
    std::string m_whyNot;
};

#endif
