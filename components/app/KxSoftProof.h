#ifndef KXSOFTPROOF_H
#define KXSOFTPROOF_H

#include <memory>

class KxCmsConversion;

// A soft proof: the colour an output device makes, as the monitor can show
// it. The output's device values go to their D50 Lab under the absolute
// colorimetric intent, so the paper's own colour shows (a cream paper looks
// cream beside the monitor's white), and that Lab goes to the monitor under
// the relative colorimetric intent, which shows the D50 white as the
// monitor's white. Without a monitor profile the Lab goes to sRGB.
class KxSoftProof
{
public:
    KxSoftProof();
    ~KxSoftProof();
    KxSoftProof(const KxSoftProof&) = delete;
    KxSoftProof& operator=(const KxSoftProof&) = delete;

    // Opens the proof for the output profile (8-bit file-system encoding;
    // null when only Lab is proofed) on the RGB monitor profile (null for
    // sRGB), evaluated at the accuracy given (ICCACCURACY). 0 on failure,
    // when the proof stays closed.
    int create(const char* outputPath, const char* monitorPath, long accuracy);
    void close();
    bool isOpen() const { return m_monitor != nullptr; }

    // The monitor's R, G, B (0..255) for output device values in the units
    // of KxCmsIcc (RGB 0..255, CMYK percent 0..100), decimals allowed. False,
    // with rgb untouched, while closed, when opened without an output
    // profile, or when the engine cannot convert them.
    bool deviceToMonitor(const double* output, unsigned char rgb[3]) const;
    // The same for a D50 Lab colour, as measured on the paper.
    bool labToMonitor(const double lab[3], unsigned char rgb[3]) const;

private:
    std::unique_ptr<KxCmsConversion> m_output;           // the output to itself: its D50 Lab
    std::unique_ptr<KxCmsConversion> m_ownMonitor;       // Lab to the chosen monitor profile
    const KxCmsConversion* m_monitor = nullptr;          // m_ownMonitor, or the built-in sRGB
};

#endif
