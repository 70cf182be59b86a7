#include "KxCmsProfile.h"

#include "KxCmsLog.h"
#include "KxIccHeader.h"

#include <cstdio>
#include <functional>
#include <new>
#include <string_view>
#include <vector>

namespace {

struct FileCloser
{
    void operator()(std::FILE* file) const { std::fclose(file); }
};

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

std::shared_ptr<const KxCmsProfile> KxCmsProfile::fromFile(const char* path)
{
    KxCmsLog::install();
    const std::optional<KxIccHeader> header = KxIccHeader::read(path);
    if (!header || header->profileSize > MaximumFileSize)
        return nullptr;

    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path, "rb"));
    if (!file)
        return nullptr;
    // Only the declared profile is read; trailing bytes are not part of it.
    std::vector<unsigned char> bytes;
    try {
        bytes.resize(header->profileSize);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    if (std::fread(bytes.data(), 1, bytes.size(), file.get()) != bytes.size())
        return nullptr;
    // The file may have changed since its header was read.
    if (!KxIccHeader::parse(bytes.data(), bytes.size()))
        return nullptr;

    cmsHPROFILE handle = cmsOpenProfileFromMem(bytes.data(), cmsUInt32Number(bytes.size()));
    return adopt(handle, contentIdentity(bytes));
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
