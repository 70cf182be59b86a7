#include "KxSoftProof.h"

#include "KxCmsConversion.h"
#include "KxCmsIcc.h"

#include <cmath>

namespace {

KxCmsConversion::Settings proofSettings(long accuracy)
{
    KxCmsConversion::Settings settings;
    settings.intent = icRelativeColorimetric; // into the monitor
    settings.highAccuracy = accuracy == ICC_ACCURACY_BEST;
    settings.deviceLink = false; // only Lab goes in or out
    return settings;
}

} // namespace

KxSoftProof::KxSoftProof() = default;
KxSoftProof::~KxSoftProof() = default;

int KxSoftProof::create(const char* outputPath, const char* monitorPath, long accuracy)
{
    close();
    const KxCmsConversion::Settings settings = proofSettings(accuracy);
    if (outputPath) {
        m_output = KxCmsConversion::open(outputPath, outputPath, settings);
        if (!m_output || KxCmsIcc::channelsOf(m_output->inputSpace()) == 0) {
            close();
            return 0;
        }
    }
    if (monitorPath) {
        m_ownMonitor = KxCmsConversion::openFromLab(monitorPath, settings);
        if (!m_ownMonitor || m_ownMonitor->outputSpace() != icSigRgbData) {
            close();
            return 0;
        }
        m_monitor = m_ownMonitor.get();
    } else {
        m_monitor = KxCmsConversion::labToBuiltInSrgb();
    }
    if (!m_monitor) {
        close();
        return 0;
    }
    return 1;
}

void KxSoftProof::close()
{
    m_monitor = nullptr;
    m_ownMonitor.reset();
    m_output.reset();
}

bool KxSoftProof::deviceToMonitor(const double* output, unsigned char rgb[3]) const
{
    if (!m_output || !m_monitor)
        return false;
    double fractions[KxCmsIcc::MAXIMUM_CHANNELS];
    double lab[3];
    return KxCmsIcc::fractionsOf(m_output->inputSpace(), output, fractions) && m_output->deviceToLabD50(fractions, lab)
        && labToMonitor(lab, rgb);
}

bool KxSoftProof::labToMonitor(const double lab[3], unsigned char rgb[3]) const
{
    double fractions[3];
    if (!m_monitor || !m_monitor->labToDevice(lab, fractions))
        return false;
    for (int i = 0; i < 3; ++i)
        rgb[i] = static_cast<unsigned char>(std::lround(fractions[i] * 255.0));
    return true;
}
