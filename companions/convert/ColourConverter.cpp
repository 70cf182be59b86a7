#include "ColourConverter.h"

#include <KxFileNameText.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

bool isDeviceSpace(icColorSpaceSignature space)
{
    return space == icSigRgbData || space == icSigCmykData;
}

// Keeps values that round to zero from printing as "-0.0000".
double printable(double value, int decimals)
{
    return std::fabs(value) < 0.5 * std::pow(10.0, -decimals) ? 0.0 : value;
}

} // namespace

std::string ColourConverter::open(const ConvertOptions& options)
{
    icProfileClassSignature profileClass;
    icColorSpaceSignature space;
    for (const std::string* path : {&options.inputProfile, &options.outputProfile}) {
        if (!KxCmsIcc::getICCprofileClass(path->c_str(), profileClass, space))
            return Kx_quotedFileName(*path) + " is not a readable ICC profile";
    }
    m_labInput = options.labInput;
    m_decimals = int(options.decimals);
    m_transform.setrenderingIntent(options.intent);
    m_transform.setinterpolationAccuracy(options.accuracy);
    if (!m_transform.create(options.inputProfile.c_str(), options.outputProfile.c_str()))
        return "cannot convert from " + Kx_quotedFileName(options.inputProfile) + " to "
            + Kx_quotedFileName(options.outputProfile) + ": " + m_transform.whyNot();
    if (!isDeviceSpace(m_transform.outputSpace))
        return "output profile " + Kx_quotedFileName(options.outputProfile) + " is neither RGB nor CMYK";
    if (!m_labInput && !isDeviceSpace(m_transform.inputSpace))
        return "input profile " + Kx_quotedFileName(options.inputProfile) + " is neither RGB nor CMYK; use --lab";
    const char* gamutInput = m_labInput ? nullptr : options.inputProfile.c_str();
    if (options.gamutColumn && !m_gamutCheck.create(gamutInput, options.outputProfile.c_str()))
        return "cannot check colours against " + Kx_quotedFileName(options.outputProfile) + " for --gamut";
    return {};
}

ColourLine ColourConverter::lineReader() const
{
    if (m_labInput)
        return ColourLine({{0, 100}, {-128, 127}, {-128, 127}}, "L a b (L 0-100, a and b -128 to 127)");
    if (m_transform.inputSpace == icSigCmykData)
        return ColourLine({{0, 100}, {0, 100}, {0, 100}, {0, 100}}, "C M Y K as percentages 0-100");
    return ColourLine({{0, 255}, {0, 255}, {0, 255}}, "R G B as numbers 0-255");
}

bool ColourConverter::convert(const std::vector<double>& values, std::string& line) const
{
    const KxCmsIcc& t = m_transform;
    double device[4];
    double lab[3];
    bool done;
    if (m_labInput) {
        std::copy(values.begin(), values.end(), lab);
        double relative[3];
        t.D50lab2rlab(lab[0], lab[1], lab[2], relative[0], relative[1], relative[2]);
        done = t.labToDevice(relative, device);
    } else {
        done = t.toDevice(values.data(), device) && t.toLab(values.data(), lab);
    }
    if (!done)
        return false;

    line.clear();
    char number[32];
    const int channels = KxCmsIcc::channelsOf(t.outputSpace);
    for (int i = 0; i < channels; ++i) {
        // Whole numbers round as the engine's whole-number conversions do.
        if (m_decimals == 0)
            std::snprintf(number, sizeof number, "%ld", std::lround(device[i]));
        else
            std::snprintf(number, sizeof number, "%.*f", m_decimals, printable(device[i], m_decimals));
        line += number;
        line += i + 1 < channels ? ' ' : '\t';
    }
    std::snprintf(number, sizeof number, "%.4f %.4f %.4f", printable(lab[0], 4), printable(lab[1], 4),
                  printable(lab[2], 4));
    line += number;
    if (m_gamutCheck.isOpen()) {
        const double difference =
            m_labInput ? m_gamutCheck.difference(lab) : m_gamutCheck.deviceDifference(values.data());
        if (difference < 0.0)
            return false;
        std::snprintf(number, sizeof number, "\t%.2f", difference);
        line += number;
    }
    return true;
}
