#include "KxGamutCheck.h"

#include "KxCmsConversion.h"
#include "KxCmsIcc.h"
#include "KxColourMath.h"

namespace {

KxCmsConversion::Settings checkSettings()
{
    KxCmsConversion::Settings settings;
    settings.intent = icRelativeColorimetric;
    settings.highAccuracy = true;
    settings.deviceLink = false; // only Lab goes in or out
    settings.simplexLabTables = true; // Argyll's answer far outside the gamut too
    return settings;
}

} // namespace

KxGamutCheck::KxGamutCheck() = default;
KxGamutCheck::~KxGamutCheck() = default;

int KxGamutCheck::create(const char* inputPath, const char* outputPath)
{
    close();
    if (!outputPath)
        return 0;
    m_output = KxCmsConversion::open(outputPath, outputPath, checkSettings());
    if (m_output && inputPath)
        m_input = KxCmsConversion::open(inputPath, outputPath, checkSettings());
    const bool unitsKnown = m_output && KxCmsIcc::channelsOf(m_output->outputSpace()) > 0
        && (!m_input || KxCmsIcc::channelsOf(m_input->inputSpace()) > 0);
    if (!unitsKnown || (inputPath && !m_input)) {
        close();
        return 0;
    }
    return 1;
}

void KxGamutCheck::close()
{
    m_input.reset();
    m_output.reset();
}

double KxGamutCheck::difference(const double lab[3]) const
{
    if (!m_output)
        return -1.0;
    // Under the relative intent LittleCMS takes the D50 Lab as relative to
    // the D50 white and maps that white onto the device's own.
    double device[KxCmsIcc::MAXIMUM_CHANNELS];
    double back[3];
    if (!m_output->labToDevice(lab, device) || !m_output->deviceToLabRelative(device, back))
        return -1.0;
    return KxColourMath::deltaE76(lab, back);
}

double KxGamutCheck::deviceDifference(const double* input) const
{
    if (!m_input)
        return -1.0;
    double fractions[KxCmsIcc::MAXIMUM_CHANNELS];
    double lab[3];
    if (!KxCmsIcc::fractionsOf(m_input->inputSpace(), input, fractions) || !m_input->deviceToLabD50(fractions, lab))
        return -1.0;
    return difference(lab);
}
