#ifndef PRINTERREADINGS_H
#define PRINTERREADINGS_H

#include <cstddef>
#include <string>
#include <vector>

// How a printer is driven: through its inks, or through a driver that
// takes RGB.
enum class PrinterDevice { Cmyk, Rgb };

// One patch as printed and measured: its device values in percent and the
// D50 Lab read from it. For Cmyk the four inks C, M, Y, K; for Rgb the R, G,
// B sent to the driver (100 is full, so 100 100 100 is the paper), the
// fourth value 0.
struct PrinterMeasurement {
    double inks[4];
    double lab[3];
    PrinterDevice device = PrinterDevice::Cmyk;
};

// A reading ready for fitting: device values as fractions of colourant (a
// CMYK printer's inks; an RGB printer's 1 - R, 1 - G, 1 - B, the fourth 0:
// 0 is the paper on every device) and Lab relative to the paper (the
// paper's own colour is L 100, a 0, b 0).
struct PrinterSample {
    double inks[4];
    double lab[3];
};

// The readings a profile is made from, checked: all of one device, every
// value within what a real printer and instrument give, a paper white among
// them, enough different patches, and patches printed more than once
// measured alike.
// Relative Lab comes from scaling each reading's XYZ by D50 over the
// paper's XYZ, channel by channel, which is what LittleCMS's absolute
// intent undoes for a version 2 profile.
class PrinterReadings
{
public:
    // Repeats of the same inks farther apart than this (CIE 1976) are taken
    // for a mix-up of patches or a bad measurement.
    static constexpr double REPEAT_TOLERANCE = 10.0;
    // Inks closer than this (percent) are the same patch printed again.
    static constexpr double INK_RESOLUTION = 1e-3;

    // False, with one sentence for the user, when the readings are refused.
    bool take(const std::vector<PrinterMeasurement>& measurements, std::size_t minimumPatches, std::string& whyNot);

    // Every reading, in the order given, repeats each on its own.
    const std::vector<PrinterSample>& samples() const { return m_samples; }
    // The paper's XYZ under D50 (Y 1 for a perfect white): the mean of its readings.
    const double* paperWhite() const { return m_paperWhite; }
    PrinterDevice device() const { return m_device; }
    // The device's channels: 4 inks, or 3 for RGB.
    int channels() const { return channelsOf(m_device); }

    static int channelsOf(PrinterDevice device) { return device == PrinterDevice::Rgb ? 3 : 4; }
    // A measurement's device values as colourant in percent (see PrinterSample).
    static PrinterMeasurement colourants(const PrinterMeasurement& measurement);

private:
    std::vector<PrinterSample> m_samples;
    PrinterDevice m_device = PrinterDevice::Cmyk;
    double m_paperWhite[3] = {0.0, 0.0, 0.0};
};

#endif
