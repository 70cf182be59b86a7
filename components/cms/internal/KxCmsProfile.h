#ifndef KXCMSPROFILE_H
#define KXCMSPROFILE_H

#include "KxIcc.h"

#include <lcms2.h>

#include <memory>
#include <string>

// One open LittleCMS profile, closed with its owner. Profiles from files are
// read whole into memory first, so no file stays open behind the handle and
// the content identity (used to share transforms) is known.
class KxCmsProfile
{
public:
    // Null when the file is not a regular file within the profile size limit
    // (see KxFileRead.h), not an ICC profile, or one LittleCMS cannot open.
    // With simplexLabTables, the profile is read in KxCmsSimplexContext, and
    // its Lab-input tables are interpolated on simplices as Argyll does.
    static std::shared_ptr<const KxCmsProfile> fromFile(const char* path, bool simplexLabTables = false);
    static std::shared_ptr<const KxCmsProfile> builtInLab(); // D50 Lab identity
    static std::shared_ptr<const KxCmsProfile> builtInSrgb();

    KxCmsProfile(const KxCmsProfile&) = delete;
    KxCmsProfile& operator=(const KxCmsProfile&) = delete;

    cmsHPROFILE handle() const { return m_handle.get(); }
    icColorSpaceSignature colourSpace() const;
    icProfileClassSignature profileClass() const;
    // Profiles whose data are device values the tool can show: not links,
    // abstract or named-colour profiles, and not Lab or XYZ data.
    bool isDeviceProfile() const;
    // The media white that LittleCMS's absolute intent scales by (D50 for
    // version 2 display profiles and profiles without the tag).
    cmsCIEXYZ mediaWhitePoint() const;
    // False when the profile's media white tag is there but outside the
    // band of paper and display whites below.
    bool hasSoundMediaWhite() const;
    static bool isSoundMediaWhite(const cmsCIEXYZ& white);

    // The media whites real paper and displays have, in XYZ: Y from a dark
    // paper's 0.5 to 1.05, X and Z in a generous band around D50 (0.9642, 1,
    // 0.8249) that holds grey and yellowish papers, warm whites and bluish
    // displays (a version 2 display profile records the monitor's own white,
    // D65's 0.9505, 1, 1.0891 or bluer). Bounds included.
    static constexpr cmsCIEXYZ LOWEST_MEDIA_WHITE{0.4, 0.5, 0.2};
    static constexpr cmsCIEXYZ HIGHEST_MEDIA_WHITE{1.25, 1.05, 1.7};
    // Equal for profiles of equal content.
    const std::string& identity() const { return m_identity; }

private:
    struct Closer
    {
        void operator()(void* profile) const { cmsCloseProfile(profile); }
    };
    KxCmsProfile(std::unique_ptr<void, Closer> handle, std::string identity);
    static std::shared_ptr<const KxCmsProfile> adopt(cmsHPROFILE handle, std::string identity);

    std::unique_ptr<void, Closer> m_handle;
    std::string m_identity;
};

#endif
