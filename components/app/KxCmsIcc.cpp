#include "KxCmsIcc.h"

#include "KxCmsConversion.h"
#include "KxIccHeader.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <new>

struct KxCmsIcc::Transforms
{
    std::unique_ptr<KxCmsConversion> conversion;
};

namespace {

// The device spaces the conversions take and the full value of a channel
// in the units of KxCmsIcc.
struct DeviceSpace
{
    icColorSpaceSignature space;
    int channels;
    double fullScale;
};

constexpr DeviceSpace DEVICE_SPACES[] = {
    {icSigRgbData, 3, 255.0},
    {icSigCmykData, 4, 100.0},
    {icSigGrayData, 1, 255.0},
};

// Hands out a call's results, in order, to the caller's variables.
template <class Value, class... Out>
void unpack(const Value* values, Out&... out)
{
    int i = 0;
    ((out = values[i++]), ...);
}

const DeviceSpace* deviceSpace(icColorSpaceSignature space)
{
    const auto found = std::find_if(std::begin(DEVICE_SPACES), std::end(DEVICE_SPACES),
                                    [space](const DeviceSpace& entry) { return entry.space == space; });
    return found == std::end(DEVICE_SPACES) ? nullptr : found;
}

void toFractions(const DeviceSpace& space, const double* values, double* fractions)
{
    for (int i = 0; i < space.channels; ++i)
        fractions[i] = values[i] / space.fullScale;
}

void fromFractions(const DeviceSpace& space, const double* fractions, double* values)
{
    for (int i = 0; i < space.channels; ++i)
        values[i] = fractions[i] * space.fullScale;
}

// Whole-number inputs above the range count as its maximum.
void heldInRange(const DeviceSpace& space, const unsigned long* input, double* values)
{
    for (int i = 0; i < space.channels; ++i)
        values[i] = std::min(double(input[i]), space.fullScale);
}

void rounded(const DeviceSpace& space, const double* values, unsigned long* output)
{
    for (int i = 0; i < space.channels; ++i)
        output[i] = static_cast<unsigned long>(std::lround(values[i]));
}

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
    m_whyNot.clear();
    try {
        return open(inputPath, outputPath);
    } catch (const std::bad_alloc&) {
        close();
        m_whyNot = "out of memory";
        return 0;
    }
}

int KxCmsIcc::open(const char* inputPath, const char* outputPath)
{
    KxCmsConversion::Settings settings;
    settings.intent = renderingIntent;
    settings.highAccuracy = accuracy == ICC_ACCURACY_BEST;
    settings.deviceLink = m_deviceLink;
    std::unique_ptr<KxCmsConversion> conversion = KxCmsConversion::open(inputPath, outputPath, settings, &m_whyNot);
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
    renderingIntent = intent;
}

void KxCmsIcc::setinterpolationAccuracy(long value)
{
    if (value == ICC_ACCURACY_NORMAL || value == ICC_ACCURACY_BEST)
        accuracy = value;
}

void KxCmsIcc::setDeviceLink(bool build)
{
    m_deviceLink = build;
}

int KxCmsIcc::channelsOf(icColorSpaceSignature space)
{
    const DeviceSpace* found = deviceSpace(space);
    return found ? found->channels : 0;
}

double KxCmsIcc::fullScaleOf(icColorSpaceSignature space)
{
    const DeviceSpace* found = deviceSpace(space);
    return found ? found->fullScale : 0.0;
}

int KxCmsIcc::fractionsOf(icColorSpaceSignature space, const double* values, double* fractions)
{
    const DeviceSpace* found = deviceSpace(space);
    if (!found)
        return 0;
    toFractions(*found, values, fractions);
    return found->channels;
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

bool KxCmsIcc::toDevice(const double* input, double* output) const
{
    const KxCmsConversion* conversion = conversionFor(icSigNoColorSpace, icSigNoColorSpace);
    if (!conversion)
        return false;
    const DeviceSpace* from = deviceSpace(conversion->inputSpace());
    const DeviceSpace* to = deviceSpace(conversion->outputSpace());
    if (!from || !to)
        return false;
    double in[MAXIMUM_CHANNELS];
    double out[MAXIMUM_CHANNELS];
    toFractions(*from, input, in);
    if (!conversion->deviceToDevice(in, out))
        return false;
    fromFractions(*to, out, output);
    return true;
}

bool KxCmsIcc::toLab(const double* input, double lab[3]) const
{
    const KxCmsConversion* conversion = conversionFor(icSigNoColorSpace, icSigNoColorSpace);
    const DeviceSpace* from = conversion ? deviceSpace(conversion->inputSpace()) : nullptr;
    if (!from)
        return false;
    double in[MAXIMUM_CHANNELS];
    toFractions(*from, input, in);
    return conversion->deviceToLabD50(in, lab);
}

bool KxCmsIcc::labToDevice(const double lab[3], double* output) const
{
    const KxCmsConversion* conversion = conversionFor(icSigNoColorSpace, icSigNoColorSpace);
    const DeviceSpace* to = conversion ? deviceSpace(conversion->outputSpace()) : nullptr;
    double out[MAXIMUM_CHANNELS];
    if (!to || !conversion->labToDevice(lab, out))
        return false;
    fromFractions(*to, out, output);
    return true;
}

bool KxCmsIcc::toDevice(icColorSpaceSignature from, icColorSpaceSignature to, const unsigned long* input,
                        unsigned long* output) const
{
    if (!conversionFor(from, to))
        return false;
    double values[MAXIMUM_CHANNELS];
    heldInRange(*deviceSpace(from), input, values);
    double results[MAXIMUM_CHANNELS];
    if (!toDevice(values, results))
        return false;
    rounded(*deviceSpace(to), results, output);
    return true;
}

bool KxCmsIcc::toLab(icColorSpaceSignature from, const unsigned long* input, double lab[3]) const
{
    if (!conversionFor(from, icSigNoColorSpace))
        return false;
    double values[MAXIMUM_CHANNELS];
    heldInRange(*deviceSpace(from), input, values);
    return toLab(values, lab);
}

bool KxCmsIcc::labToDevice(icColorSpaceSignature to, double L, double a, double b, unsigned long* output) const
{
    if (!conversionFor(icSigNoColorSpace, to))
        return false;
    const double lab[3] = {L, a, b};
    double results[MAXIMUM_CHANNELS];
    if (!labToDevice(lab, results))
        return false;
    rounded(*deviceSpace(to), results, output);
    return true;
}

void KxCmsIcc::rgb2rgb(unsigned long r, unsigned long g, unsigned long b,
                       unsigned long& ro, unsigned long& go, unsigned long& bo) const
{
    const unsigned long in[3] = {r, g, b};
    unsigned long out[3];
    if (toDevice(icSigRgbData, icSigRgbData, in, out))
        unpack(out, ro, go, bo);
}

void KxCmsIcc::rgb2cmyk(unsigned long r, unsigned long g, unsigned long b,
                        unsigned long& c, unsigned long& m, unsigned long& y, unsigned long& k) const
{
    const unsigned long in[3] = {r, g, b};
    unsigned long out[4];
    if (toDevice(icSigRgbData, icSigCmykData, in, out))
        unpack(out, c, m, y, k);
}

void KxCmsIcc::rgb2lab(unsigned long r, unsigned long g, unsigned long b, double& L, double& a, double& bb) const
{
    const unsigned long in[3] = {r, g, b};
    double lab[3];
    if (toLab(icSigRgbData, in, lab))
        unpack(lab, L, a, bb);
}

void KxCmsIcc::cmyk2cmyk(unsigned long c, unsigned long m, unsigned long y, unsigned long k,
                         unsigned long& co, unsigned long& mo, unsigned long& yo, unsigned long& ko) const
{
    const unsigned long in[4] = {c, m, y, k};
    unsigned long out[4];
    if (toDevice(icSigCmykData, icSigCmykData, in, out))
        unpack(out, co, mo, yo, ko);
}

void KxCmsIcc::cmyk2rgb(unsigned long c, unsigned long m, unsigned long y, unsigned long k,
                        unsigned long& r, unsigned long& g, unsigned long& b) const
{
    const unsigned long in[4] = {c, m, y, k};
    unsigned long out[3];
    if (toDevice(icSigCmykData, icSigRgbData, in, out))
        unpack(out, r, g, b);
}

void KxCmsIcc::cmyk2lab(unsigned long c, unsigned long m, unsigned long y, unsigned long k,
                        double& L, double& a, double& b) const
{
    const unsigned long in[4] = {c, m, y, k};
    double lab[3];
    if (toLab(icSigCmykData, in, lab))
        unpack(lab, L, a, b);
}

void KxCmsIcc::lab2rgb(double L, double a, double b, unsigned long& r, unsigned long& g, unsigned long& bo) const
{
    unsigned long out[3];
    if (labToDevice(icSigRgbData, L, a, b, out))
        unpack(out, r, g, bo);
}

void KxCmsIcc::lab2cmyk(double L, double a, double b,
                        unsigned long& c, unsigned long& m, unsigned long& y, unsigned long& k) const
{
    unsigned long out[4];
    if (labToDevice(icSigCmykData, L, a, b, out))
        unpack(out, c, m, y, k);
}

void KxCmsIcc::D50lab2rlab(double L, double a, double b, double& Lo, double& ao, double& bo) const
{
    const KxCmsConversion* conversion = conversionFor(icSigNoColorSpace, icSigNoColorSpace);
    if (!conversion)
        return;
    const double d50[3] = {L, a, b};
    double relative[3];
    conversion->labD50ToRelative(d50, relative);
    Lo = relative[0];
    ao = relative[1];
    bo = relative[2];
}
