#include "KxCmsPrinterProfile.h"

#include "KxCmsLog.h"
#include "KxCmsProfile.h"
#include "KxFile.h"
#include "KxUtf8.h"

#include <lcms2.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <string_view>

namespace {

// Version 2 Lab in 16 bits: L 100 is 0xFF00, a and b 0 are 0x8000, one unit
// of a or b is 256.
constexpr double LAB_L_SCALE = 65280.0 / 100.0;
constexpr double LAB_AB_SCALE = 256.0;
constexpr double LAB_AB_OFFSET = 128.0;
// The Lab tables' input curves: 257 equal steps of 255 codes, so that L
// 100's code 0xFF00 is step 256 exactly; a and b pass unchanged. Along L,
// the grid's nodes lie evenly up to step 255 (L 99.61) and its last node is
// L 100, so the lightest tints have a cell of their own beside the paper.
constexpr unsigned LAB_CURVE_ENTRIES = 258;
constexpr unsigned L_100_ENTRY = 256;
constexpr unsigned HIGHLIGHT_ENTRY = L_100_ENTRY - 1;
constexpr double HIGHLIGHT_L = HIGHLIGHT_ENTRY * 255.0 / LAB_L_SCALE;

// Where a curve entry lies along the L axis of a grid of points, 0 to 1.
double lightnessPosition(unsigned points, unsigned entry)
{
    if (entry >= L_100_ENTRY)
        return 1.0;
    if (points < 3)
        return double(entry) / L_100_ENTRY;
    return double(entry) / HIGHLIGHT_ENTRY * (points - 2) / (points - 1);
}

struct ProfileCloser {
    void operator()(void* profile) const { cmsCloseProfile(profile); }
};
struct PipelineFree {
    void operator()(cmsPipeline* pipeline) const { cmsPipelineFree(pipeline); }
};
struct CurveFree {
    void operator()(cmsToneCurve* curve) const { cmsFreeToneCurve(curve); }
};
struct MluFree {
    void operator()(cmsMLU* mlu) const { cmsMLUfree(mlu); }
};
using Pipeline = std::unique_ptr<cmsPipeline, PipelineFree>;

cmsUInt16Number encode(double value, double scale, double offset)
{
    const double encoded = std::round((value + offset) * scale);
    return cmsUInt16Number(std::clamp(encoded, 0.0, 65535.0));
}

std::size_t nodeCount(unsigned points, int inputs)
{
    std::size_t count = 1;
    for (int i = 0; i < inputs; ++i)
        count *= points;
    return count;
}

bool hasShape(const KxCmsPrinterProfile::Grid& grid, int inputs, int outputs)
{
    return grid.points >= 2 && grid.points <= 255 && grid.values.size() == nodeCount(grid.points, inputs) * outputs;
}

// The input curves of a table that takes Lab: L 100 (and all above) at the
// grid's last node, a and b as they are. Paper white then lies on a node in
// every reader and at every precision, and its inks come out exactly, not
// blended with the next node's.
cmsStage* labInputCurves(unsigned points)
{
    std::vector<cmsUInt16Number> lightness(LAB_CURVE_ENTRIES), identity(LAB_CURVE_ENTRIES);
    for (unsigned entry = 0; entry < LAB_CURVE_ENTRIES; ++entry) {
        identity[entry] = cmsUInt16Number(entry * 65535 / (LAB_CURVE_ENTRIES - 1));
        lightness[entry] = encode(lightnessPosition(points, entry), 65535.0, 0.0);
    }
    using Curve = std::unique_ptr<cmsToneCurve, CurveFree>;
    const Curve curves[3] = {Curve(cmsBuildTabulatedToneCurve16(nullptr, LAB_CURVE_ENTRIES, lightness.data())),
                             Curve(cmsBuildTabulatedToneCurve16(nullptr, LAB_CURVE_ENTRIES, identity.data())),
                             Curve(cmsBuildTabulatedToneCurve16(nullptr, LAB_CURVE_ENTRIES, identity.data()))};
    if (!curves[0] || !curves[1] || !curves[2])
        return nullptr;
    cmsToneCurve* raw[3] = {curves[0].get(), curves[1].get(), curves[2].get()};
    return cmsStageAllocToneCurves(nullptr, 3, raw);
}

// One table of version 2 (lut16) form: a grid of 16-bit values, after the
// Lab input curves for a table that takes Lab.
Pipeline gridPipeline(const KxCmsPrinterProfile::Grid& grid, int inputs, int outputs, bool labInput, bool labOutput)
{
    std::vector<cmsUInt16Number> table(grid.values.size());
    for (std::size_t i = 0; i < table.size(); ++i) {
        const double value = grid.values[i];
        if (!labOutput)
            table[i] = encode(value, 65535.0, 0.0);
        else if (i % 3 == 0)
            table[i] = encode(value, LAB_L_SCALE, 0.0);
        else
            table[i] = encode(value, LAB_AB_SCALE, LAB_AB_OFFSET);
    }
    Pipeline pipeline(cmsPipelineAlloc(nullptr, cmsUInt32Number(inputs), cmsUInt32Number(outputs)));
    if (!pipeline)
        return nullptr;
    if (labInput) {
        cmsStage* curves = labInputCurves(grid.points);
        if (!curves || !cmsPipelineInsertStage(pipeline.get(), cmsAT_END, curves))
            return nullptr;
    }
    cmsStage* clut =
        cmsStageAllocCLut16bit(nullptr, grid.points, cmsUInt32Number(inputs), cmsUInt32Number(outputs), table.data());
    if (!clut || !cmsPipelineInsertStage(pipeline.get(), cmsAT_END, clut))
        return nullptr;
    return pipeline;
}

// A version 2 textDescriptionType ('desc') of UTF-8 text, in its three
// records: ASCII, with '?' for each character that is not printable 7-bit
// ASCII; Unicode, as UTF-16BE code units (a surrogate pair for each
// character past U+FFFF); and ScriptCode, the ASCII again in the Macintosh
// Roman script, cut to fit its 67 bytes. Each record's count includes its
// terminating zero; the Unicode language code is 0, as LittleCMS writes it.
class TextDescription
{
public:
    explicit TextDescription(std::string_view utf8)
    {
        std::string ascii;
        std::vector<cmsUInt16Number> units;
        for (std::size_t at = 0; at < utf8.size();) {
            // A byte that starts no character (never here: write() checks
            // first) stands for U+FFFD.
            const std::size_t length = KxUtf8::characterLength(utf8, at);
            const char32_t character = length ? codePointOf(utf8.substr(at, length)) : REPLACEMENT;
            at += std::max<std::size_t>(length, 1);
            ascii += character >= 0x20 && character < 0x7F ? char(character) : '?';
            if (character < 0x10000) {
                units.push_back(cmsUInt16Number(character));
            } else {
                units.push_back(cmsUInt16Number(0xD800 + ((character - 0x10000) >> 10)));
                units.push_back(cmsUInt16Number(0xDC00 + ((character - 0x10000) & 0x3FF)));
            }
        }
        units.push_back(0);
        appendBytes(0x64657363, 4); // 'desc'
        appendBytes(0, 4);
        appendBytes(ascii.size() + 1, 4);
        m_bytes.insert(m_bytes.end(), ascii.begin(), ascii.end());
        appendBytes(0, 1);
        appendBytes(0, 4);
        appendBytes(units.size(), 4);
        for (cmsUInt16Number unit : units)
            appendBytes(unit, 2);
        const std::size_t scriptLength = std::min(ascii.size(), SCRIPT_BYTES - 1);
        appendBytes(0, 2); // smRoman
        appendBytes(scriptLength + 1, 1);
        m_bytes.insert(m_bytes.end(), ascii.begin(), ascii.begin() + std::ptrdiff_t(scriptLength));
        m_bytes.resize(m_bytes.size() + SCRIPT_BYTES - scriptLength, 0);
    }

    // Whether text is well-formed UTF-8, which these records can hold.
    static bool holds(std::string_view text)
    {
        for (std::size_t at = 0, length; at < text.size(); at += length)
            if (!(length = KxUtf8::characterLength(text, at)))
                return false;
        return true;
    }

    bool write(cmsHPROFILE profile) const
    {
        return cmsWriteRawTag(profile, cmsSigProfileDescriptionTag, m_bytes.data(),
                              cmsUInt32Number(m_bytes.size()));
    }

private:
    static constexpr std::size_t SCRIPT_BYTES = 67;
    static constexpr char32_t REPLACEMENT = 0xFFFD;

    // The character of one well-formed UTF-8 sequence.
    static char32_t codePointOf(std::string_view sequence)
    {
        static const unsigned char leadMask[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
        char32_t character = static_cast<unsigned char>(sequence[0]) & leadMask[sequence.size()];
        for (std::size_t i = 1; i < sequence.size(); ++i)
            character = (character << 6) | (static_cast<unsigned char>(sequence[i]) & 0x3F);
        return character;
    }

    // value's lowest `count` bytes, most significant first.
    void appendBytes(std::size_t value, int count)
    {
        for (int shift = 8 * (count - 1); shift >= 0; shift -= 8)
            m_bytes.push_back(static_cast<unsigned char>(value >> shift));
    }

    std::vector<unsigned char> m_bytes;
};

bool writeText(cmsHPROFILE profile, cmsTagSignature tag, const std::string& text)
{
    std::unique_ptr<cmsMLU, MluFree> mlu(cmsMLUalloc(nullptr, 1));
    return mlu && cmsMLUsetASCII(mlu.get(), "en", "US", text.c_str()) && cmsWriteTag(profile, tag, mlu.get());
}

bool writeGrid(cmsHPROFILE profile, cmsTagSignature tag, const KxCmsPrinterProfile::Grid& grid, int inputs,
               int outputs, bool labInput, bool labOutput)
{
    const Pipeline pipeline = gridPipeline(grid, inputs, outputs, labInput, labOutput);
    return pipeline && cmsWriteTag(profile, tag, pipeline.get());
}

} // namespace

double KxCmsPrinterProfile::labAtNode(unsigned points, unsigned index, int axis)
{
    if (axis > 0)
        return 65535.0 * index / (points - 1) / LAB_AB_SCALE - LAB_AB_OFFSET;
    if (index + 1 >= points)
        return 100.0;
    return points < 3 ? 0.0 : HIGHLIGHT_L * index / (points - 2);
}

bool KxCmsPrinterProfile::isSoundMediaWhite(const double xyz[3])
{
    return KxCmsProfile::isSoundMediaWhite(cmsCIEXYZ{xyz[0], xyz[1], xyz[2]});
}

bool KxCmsPrinterProfile::isSoundText(const std::string& text)
{
    return TextDescription::holds(text);
}

bool KxCmsPrinterProfile::toIccBytes(std::vector<unsigned char>& bytes, std::string& whyNot) const
{
    const int device = int(channels);
    if (device != 3 && device != 4) {
        whyNot = "the profile's device has neither 3 nor 4 channels";
        return false;
    }
    if (!hasShape(inksToLab, device, 3) || !hasShape(gamut, 3, 1)
        || !std::all_of(std::begin(labToInks), std::end(labToInks),
                        [device](const Grid& grid) { return hasShape(grid, 3, device); })) {
        whyNot = "a table of the profile has the wrong size";
        return false;
    }
    if (!isSoundMediaWhite(mediaWhite)) {
        whyNot = "the media white is none that paper can have";
        return false;
    }
    if (!isSoundText(description)) {
        whyNot = "the description is not UTF-8 text";
        return false;
    }
    KxCmsLog::install();
    std::unique_ptr<void, ProfileCloser> owned(cmsCreateProfilePlaceholder(nullptr));
    cmsHPROFILE profile = owned.get();
    if (!profile) {
        whyNot = "out of memory";
        return false;
    }
    cmsSetProfileVersion(profile, 2.4);
    cmsSetDeviceClass(profile, cmsSigOutputClass);
    cmsSetColorSpace(profile, device == 4 ? cmsSigCmykData : cmsSigRgbData);
    cmsSetPCS(profile, cmsSigLabData);
    cmsSetHeaderRenderingIntent(profile, INTENT_PERCEPTUAL);

    const cmsCIEXYZ white{mediaWhite[0], mediaWhite[1], mediaWhite[2]};
    static const cmsTagSignature toLab[3] = {cmsSigAToB0Tag, cmsSigAToB1Tag, cmsSigAToB2Tag};
    static const cmsTagSignature fromLab[3] = {cmsSigBToA0Tag, cmsSigBToA1Tag, cmsSigBToA2Tag};
    bool written = TextDescription(description).write(profile)
                   && writeText(profile, cmsSigCopyrightTag, copyright)
                   && cmsWriteTag(profile, cmsSigMediaWhitePointTag, &white)
                   && writeGrid(profile, toLab[0], inksToLab, device, 3, false, true)
                   && cmsLinkTag(profile, toLab[1], toLab[0]) && cmsLinkTag(profile, toLab[2], toLab[0])
                   && writeGrid(profile, cmsSigGamutTag, gamut, 3, 1, true, false);
    for (int intent = 0; intent < 3 && written; ++intent)
        written = writeGrid(profile, fromLab[intent], labToInks[intent], 3, device, true, false);

    cmsUInt32Number size = 0;
    if (written && cmsSaveProfileToMem(profile, nullptr, &size) && size > 0) {
        bytes.resize(size);
        written = cmsSaveProfileToMem(profile, bytes.data(), &size);
    } else {
        written = false;
    }
    if (!written) {
        const std::string error = KxCmsLog::whyNot();
        whyNot = "the profile cannot be encoded" + (error.empty() ? std::string() : ": " + error);
        return false;
    }
    return true;
}

bool KxCmsPrinterProfile::write(const char* path, std::string& whyNot) const
{
    std::vector<unsigned char> bytes;
    if (!toIccBytes(bytes, whyNot))
        return false;
    const KxWriteResult written = Kx_writeFile(path, bytes.data(), bytes.size());
    if (!written)
        whyNot = "the profile cannot be written: " + written.reason();
    return bool(written);
}
