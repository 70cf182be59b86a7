#include "KxCmsProfile.h"

#include "KxCmsLog.h"
#include "KxIccFile.h"
#include "KxIccHeader.h"
#include "KxCmsSimplexContext.h"

#include <functional>
#include <string_view>
#include <vector>

namespace {

// A content identity for the transform cache: size and a hash of the bytes.
// The standard hash only has to be stable within the process.
std::string contentIdentity(const std::vector<unsigned char>& bytes)
{
    const std::size_t hash =
        std::hash<std::string_view>()(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    return "file:" + std::to_string(bytes.size()) + ':' + std::to_string(hash);
}

} // namespace

KxCmsProfile::KxCmsProfile(std::unique_ptr<void, Closer> handle, std::string identity)
    : m_handle(std::move(handle))
    , m_identity(std::move(identity))
{
}

std::shared_ptr<const KxCmsProfile> KxCmsProfile::adopt(cmsHPROFILE handle, std::string identity)
{
    std::unique_ptr<void, Closer> owned(handle);
    if (!owned)
        return nullptr;
    return std::shared_ptr<const KxCmsProfile>(new KxCmsProfile(std::move(owned), std::move(identity)));
}

std::shared_ptr<const KxCmsProfile> KxCmsProfile::fromFile(const char* path, bool simplexLabTables)
{
    KxCmsLog::install();
    std::optional<std::vector<unsigned char>> bytes = KxIccFile::read(path);
    if (!bytes)
        return nullptr;
    const std::optional<KxIccHeader> header = KxIccHeader::parse(bytes->data(), bytes->size());
    if (!header)
        return nullptr;
    // Only the declared profile is read; trailing bytes are not part of it.
    bytes->resize(header->profileSize);
    if (!simplexLabTables)
        return adopt(cmsOpenProfileFromMem(bytes->data(), cmsUInt32Number(bytes->size())), contentIdentity(*bytes));
    const cmsContext context = KxCmsSimplexContext::get();
    if (!context)
        return nullptr;
    return adopt(cmsOpenProfileFromMemTHR(context, bytes->data(), cmsUInt32Number(bytes->size())),
                 contentIdentity(*bytes) + ":simplex");
}

std::shared_ptr<const KxCmsProfile> KxCmsProfile::builtInLab()
{
    KxCmsLog::install();
    return adopt(cmsCreateLab4Profile(nullptr), "builtin:lab-d50");
}

std::shared_ptr<const KxCmsProfile> KxCmsProfile::builtInSrgb()
{
    KxCmsLog::install();
    return adopt(cmsCreate_sRGBProfile(), "builtin:srgb");
}

icColorSpaceSignature KxCmsProfile::colourSpace() const
{
    return icColorSpaceSignature(cmsGetColorSpace(handle()));
}

icProfileClassSignature KxCmsProfile::profileClass() const
{
    return icProfileClassSignature(cmsGetDeviceClass(handle()));
}

bool KxCmsProfile::isDeviceProfile() const
{
    switch (profileClass()) {
    case icSigInputClass:
    case icSigDisplayClass:
    case icSigOutputClass:
    case icSigColorSpaceClass:
        break;
    default:
        return false;
    }
    const icColorSpaceSignature space = colourSpace();
    return space != icSigLabData && space != icSigXYZData
        && (cmsGetPCS(handle()) == cmsSigLabData || cmsGetPCS(handle()) == cmsSigXYZData);
}

cmsCIEXYZ KxCmsProfile::mediaWhitePoint() const
{
    const auto* tag = static_cast<const cmsCIEXYZ*>(cmsReadTag(handle(), cmsSigMediaWhitePointTag));
    if (!tag || tag->X <= 0 || tag->Y <= 0 || tag->Z <= 0)
        return *cmsD50_XYZ();
    // A version 2 display profile's tag holds the monitor's own white, which
    // its colorimetry has already been adapted from.
    if (cmsGetEncodedICCversion(handle()) < 0x4000000 && profileClass() == icSigDisplayClass)
        return *cmsD50_XYZ();
    return *tag;
}

bool KxCmsProfile::hasSoundMediaWhite() const
{
    const auto* tag = static_cast<const cmsCIEXYZ*>(cmsReadTag(handle(), cmsSigMediaWhitePointTag));
    if (!tag)
        return cmsIsTag(handle(), cmsSigMediaWhitePointTag) == FALSE;
    return isSoundMediaWhite(*tag);
}

bool KxCmsProfile::isSoundMediaWhite(const cmsCIEXYZ& white)
{
    // Written so that a value that is no number falls outside.
    const auto within = [](double value, double lowest, double highest) {
        return value >= lowest && value <= highest;
    };
    return within(white.X, LOWEST_MEDIA_WHITE.X, HIGHEST_MEDIA_WHITE.X)
        && within(white.Y, LOWEST_MEDIA_WHITE.Y, HIGHEST_MEDIA_WHITE.Y)
        && within(white.Z, LOWEST_MEDIA_WHITE.Z, HIGHEST_MEDIA_WHITE.Z);
}
