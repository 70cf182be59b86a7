#ifndef PRINTERPROFILER_H
#define PRINTERPROFILER_H

#include "BlackGeneration.h"
#include "GamutBoundary.h"
#include "InkLimits.h"
#include "PrinterReadings.h"
#include "ProfileProgress.h"
#include "ProfileQuality.h"

#include <KxCmsPrinterProfile.h>

#include <string>
#include <vector>

// Makes a printer profile's tables from checked readings: fits the printer,
// finds its black point (its darkest neutral) and gamut, and solves the
// Lab-to-inks tables of the three intents under the black generation and
// the ink limits: perceptual and saturation through GamutMapping, relative
// colorimetric through ColorimetricClip. Runs on any
// thread; reports progress and gives up when cancelled.
class PrinterProfiler
{
public:
    // The copyright a profile made here carries unless told otherwise.
    static constexpr const char* FREE_COPYRIGHT = "No copyright; use freely.";

    struct Settings {
        ProfileQuality quality = ProfileQuality::of(ProfileQuality::Medium);
        // For CMYK readings only; an RGB printer's driver keeps its own.
        InkLimits limits;
        BlackGeneration::Kind black = BlackGeneration::Medium;
        std::string description;
        std::string copyright;
        // Relative Lab of the colours the perceptual and saturation tables
        // map from (SourceGamut); none for SourceGamut::printableRgb().
        std::vector<GamutBoundary::Colour> sourceGamut;
    };

    // How well the fit follows its own readings, in CIE 1976 ΔE.
    struct Figures {
        double selfFitMean = 0.0;
        double selfFitLargest = 0.0;
    };

    static bool make(const PrinterReadings& readings, const Settings& settings, const ProfileProgress& progress,
                     KxCmsPrinterProfile& profile, Figures& figures, std::string& whyNot);
};

#endif
