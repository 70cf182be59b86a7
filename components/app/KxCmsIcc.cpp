#include "KxCmsIcc.h"

#include "KxCmsConversion.h"
#include "KxCmsProfile.h"
#include "KxIccHeader.h"

#include <algorithm>
#include <new>

struct KxCmsIcc::Transforms
{
    std::unique_ptr<KxCmsConversion> conversion;
};

namespace {

cmsUInt16Number fromByte(unsigned long value)
{
    return cmsUInt16Number(std::min(value, 255ul) * 257u);
}

cmsUInt16Number fromPercent(unsigned long value)
{
    return cmsUInt16Number((std::min(value, 100ul) * 65535u + 50u) / 100u);
}

unsigned long toByte(cmsUInt16Number value)
{
    return (static_cast<unsigned long>(value) * 255u + 32767u) / 65535u;
}

unsigned long toPercent(cmsUInt16Number value)
{
    return (static_cast<unsigned long>(value) * 100u + 32767u) / 65535u;
}

struct Rgb
{
    cmsUInt16Number channels[3];
    Rgb(unsigned long r, unsigned long g, unsigned long b)
        : channels{fromByte(r), fromByte(g), fromByte(b)}
    {
    }
};

struct Cmyk
{
    cmsUInt16Number channels[4];
    Cmyk(unsigned long c, unsigned long m, unsigned long y, unsigned long k)
        : channels{fromPercent(c), fromPercent(m), fromPercent(y), fromPercent(k)}
    {
    }
};

} // namespace

KxCmsIcc::KxCmsIcc() = default;
KxCmsIcc::~KxCmsIcc() = default;

int KxCmsIcc::getICCprofileClass(const char* path, icProfileClassSignature& profileClass,
                                 icColorSpaceSignature& colourSpace)
{
    const std::optional<KxIccHeader> header = KxIccHeader::read(path);
    if (!header)
        return 0;
    profileClass = header->profileClass;
    colourSpace = header->colourSpace;
    return 1;
}

int KxCmsIcc::create(const char* inputPath, const char* outputPath)
{
    close();
    try {
        return open(inputPath, outputPath);
    } catch (const std::bad_alloc&) {
        close();
        return 0;
    }
}

int KxCmsIcc::open(const char* inputPath, const char* outputPath)
{
    std::shared_ptr<const KxCmsProfile> input = KxCmsProfile::fromFile(inputPath);
    std::shared_ptr<const KxCmsProfile> output = KxCmsProfile::fromFile(outputPath);
    if (!input || !output || !input->isDeviceProfile() || !output->isDeviceProfile())
        return 0;

    KxCmsConversion::Settings settings;
    settings.intent = cmsUInt32Number(renderingIntent);
    settings.highAccuracy = accuracy == ICC_ACCURACY_BEST;
    std::unique_ptr<KxCmsConversion> conversion = KxCmsConversion::open(input, output, settings);
    if (!conversion)
        return 0;

    inputSpace = conversion->inputSpace();
    outputSpace = conversion->outputSpace();
    handle = std::make_unique<Transforms>();
    handle->conversion = std::move(conversion);
    return 1;
}

void KxCmsIcc::close()
{
    handle.reset();
}

void KxCmsIcc::setrenderingIntent(long intent)
{
    if (intent >= icPerceptual && intent <= icAbsoluteColorimetric)
        renderingIntent = intent;
}

void KxCmsIcc::setinterpolationAccuracy(long value)
{
    if (value == ICC_ACCURACY_NORMAL || value == ICC_ACCURACY_BEST)
        accuracy = value;
}

const KxCmsConversion* KxCmsIcc::conversionFor(icColorSpaceSignature from, icColorSpaceSignature to) const
{
    if (!handle)
        return nullptr;
    const KxCmsConversion* conversion = handle->conversion.get();
    if ((from != icSigNoColorSpace && conversion->inputSpace() != from)
        || (to != icSigNoColorSpace && conversion->outputSpace() != to))
        return nullptr;
    return conversion;
}

void KxCmsIcc::rgb2rgb(unsigned long r, unsigned long g, unsigned long b,
                       unsigned long& ro, unsigned long& go, unsigned long& bo) const
{
    const KxCmsConversion* conversion = conversionFor(icSigRgbData, icSigRgbData);
    cmsUInt16Number out[3];
    if (!conversion || !conversion->deviceToDevice(Rgb(r, g, b).channels, out))
        return;
    ro = toByte(out[0]);
    go = toByte(out[1]);
    bo = toByte(out[2]);
}

void KxCmsIcc::rgb2cmyk(unsigned long r, unsigned long g, unsigned long b,
                        unsigned long& c, unsigned long& m, unsigned long& y, unsigned long& k) const
{
    const KxCmsConversion* conversion = conversionFor(icSigRgbData, icSigCmykData);
    cmsUInt16Number out[4];
    if (!conversion || !conversion->deviceToDevice(Rgb(r, g, b).channels, out))
        return;
    c = toPercent(out[0]);
    m = toPercent(out[1]);
    y = toPercent(out[2]);
    k = toPercent(out[3]);
}

void KxCmsIcc::rgb2lab(unsigned long r, unsigned long g, unsigned long b, double& L, double& a, double& bb) const
{
    const KxCmsConversion* conversion = conversionFor(icSigRgbData, icSigNoColorSpace);
    cmsCIELab lab;
    if (!conversion || !conversion->deviceToLabD50(Rgb(r, g, b).channels, lab))
        return;
    L = lab.L;
    a = lab.a;
    bb = lab.b;
}

void KxCmsIcc::cmyk2cmyk(unsigned long c, unsigned long m, unsigned long y, unsigned long k,
                         unsigned long& co, unsigned long& mo, unsigned long& yo, unsigned long& ko) const
{
    const KxCmsConversion* conversion = conversionFor(icSigCmykData, icSigCmykData);
    cmsUInt16Number out[4];
    if (!conversion || !conversion->deviceToDevice(Cmyk(c, m, y, k).channels, out))
        return;
    co = toPercent(out[0]);
    mo = toPercent(out[1]);
    yo = toPercent(out[2]);
    ko = toPercent(out[3]);
}

void KxCmsIcc::cmyk2rgb(unsigned long c, unsigned long m, unsigned long y, unsigned long k,
                        unsigned long& r, unsigned long& g, unsigned long& b) const
{
    const KxCmsConversion* conversion = conversionFor(icSigCmykData, icSigRgbData);
    cmsUInt16Number out[3];
    if (!conversion || !conversion->deviceToDevice(Cmyk(c, m, y, k).channels, out))
        return;
    r = toByte(out[0]);
    g = toByte(out[1]);
    b = toByte(out[2]);
}

void KxCmsIcc::cmyk2lab(unsigned long c, unsigned long m, unsigned long y, unsigned long k,
                        double& L, double& a, double& b) const
{
    const KxCmsConversion* conversion = conversionFor(icSigCmykData, icSigNoColorSpace);
    cmsCIELab lab;
    if (!conversion || !conversion->deviceToLabD50(Cmyk(c, m, y, k).channels, lab))
        return;
    L = lab.L;
    a = lab.a;
    b = lab.b;
}

void KxCmsIcc::lab2rgb(double L, double a, double b, unsigned long& r, unsigned long& g, unsigned long& bo) const
{
    const KxCmsConversion* conversion = conversionFor(icSigNoColorSpace, icSigRgbData);
    cmsUInt16Number out[3];
    if (!conversion || !conversion->labToDevice(cmsCIELab{L, a, b}, out))
        return;
    r = toByte(out[0]);
    g = toByte(out[1]);
    bo = toByte(out[2]);
}

void KxCmsIcc::lab2cmyk(double L, double a, double b,
                        unsigned long& c, unsigned long& m, unsigned long& y, unsigned long& k) const
{
    const KxCmsConversion* conversion = conversionFor(icSigNoColorSpace, icSigCmykData);
    cmsUInt16Number out[4];
    if (!conversion || !conversion->labToDevice(cmsCIELab{L, a, b}, out))
        return;
    c = toPercent(out[0]);
    m = toPercent(out[1]);
    y = toPercent(out[2]);
    k = toPercent(out[3]);
}

void KxCmsIcc::D50lab2rlab(double L, double a, double b, double& Lo, double& ao, double& bo) const
{
    const KxCmsConversion* conversion = conversionFor(icSigNoColorSpace, icSigNoColorSpace);
    if (!conversion)
        return;
    const cmsCIELab relative = conversion->labD50ToRelative(cmsCIELab{L, a, b});
    Lo = relative.L;
    ao = relative.a;
    bo = relative.b;
}
