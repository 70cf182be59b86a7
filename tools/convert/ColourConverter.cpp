#include "ColourConverter.h"

#include <cmath>
#include <cstdio>

namespace {

bool isDeviceSpace(icColorSpaceSignature space)
{
    return space == icSigRgbData || space == icSigCmykData;
}

// Keeps values that round to zero from printing as "-0.0000".
double printable(double value)
{
    return std::fabs(value) < 0.00005 ? 0.0 : value;
}

} // namespace

std::string ColourConverter::open(const ConvertOptions& options)
{
    icProfileClassSignature profileClass;
    icColorSpaceSignature space;
    for (const std::string* path : {&options.inputProfile, &options.outputProfile}) {
        if (!KxCmsIcc::getICCprofileClass(path->c_str(), profileClass, space))
            return "'" + *path + "' is not a readable ICC profile";
    }
    m_labInput = options.labInput;
    m_transform.setrenderingIntent(options.intent);
    m_transform.setinterpolationAccuracy(options.accuracy);
    if (!m_transform.create(options.inputProfile.c_str(), options.outputProfile.c_str()))
        return "cannot convert from '" + options.inputProfile + "' to '" + options.outputProfile
            + "': " + m_transform.refusal();
    if (!isDeviceSpace(m_transform.outputSpace))
        return "output profile '" + options.outputProfile + "' is neither RGB nor CMYK";
    if (!m_labInput && !isDeviceSpace(m_transform.inputSpace))
        return "input profile '" + options.inputProfile + "' is neither RGB nor CMYK; use --lab";
    return {};
}

ColourLine ColourConverter::lineReader() const
{
    if (m_labInput)
        return ColourLine({{0, 100}, {-128, 127}, {-128, 127}}, false, "L a b (L 0-100, a and b -128 to 127)");
    if (m_transform.inputSpace == icSigCmykData)
        return ColourLine({{0, 100}, {0, 100}, {0, 100}, {0, 100}}, true, "C M Y K as whole percentages 0-100");
    return ColourLine({{0, 255}, {0, 255}, {0, 255}}, true, "R G B as whole numbers 0-255");
}

std::string ColourConverter::convert(const std::vector<double>& values) const
{
    unsigned long device[4] = {0, 0, 0, 0};
    double L = 0, a = 0, b = 0;
    const KxCmsIcc& t = m_transform;
    const bool toCmyk = t.outputSpace == icSigCmykData;

    if (m_labInput) {
        L = values[0];
        a = values[1];
        b = values[2];
        double rL = L, ra = a, rb = b;
        t.D50lab2rlab(L, a, b, rL, ra, rb);
        if (toCmyk)
            t.lab2cmyk(rL, ra, rb, device[0], device[1], device[2], device[3]);
        else
            t.lab2rgb(rL, ra, rb, device[0], device[1], device[2]);
    } else if (t.inputSpace == icSigCmykData) {
        const auto c = static_cast<unsigned long>(values[0]), m = static_cast<unsigned long>(values[1]),
                   y = static_cast<unsigned long>(values[2]), k = static_cast<unsigned long>(values[3]);
        if (toCmyk)
            t.cmyk2cmyk(c, m, y, k, device[0], device[1], device[2], device[3]);
        else
            t.cmyk2rgb(c, m, y, k, device[0], device[1], device[2]);
        t.cmyk2lab(c, m, y, k, L, a, b);
    } else {
        const auto r = static_cast<unsigned long>(values[0]), g = static_cast<unsigned long>(values[1]),
                   bl = static_cast<unsigned long>(values[2]);
        if (toCmyk)
            t.rgb2cmyk(r, g, bl, device[0], device[1], device[2], device[3]);
        else
            t.rgb2rgb(r, g, bl, device[0], device[1], device[2]);
        t.rgb2lab(r, g, bl, L, a, b);
    }

    char text[160];
    if (toCmyk)
        std::snprintf(text, sizeof text, "%lu %lu %lu %lu\t%.4f %.4f %.4f", device[0], device[1], device[2],
                      device[3], printable(L), printable(a), printable(b));
    else
        std::snprintf(text, sizeof text, "%lu %lu %lu\t%.4f %.4f %.4f", device[0], device[1], device[2],
                      printable(L), printable(a), printable(b));
    return text;
}
