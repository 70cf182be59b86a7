#ifndef COLOURCONVERTER_H
#define COLOURCONVERTER_H

#include "ColourLine.h"
#include "ConvertOptions.h"
#include "KxCmsIcc.h"
#include "KxGamutCheck.h"

#include <string>
#include <vector>

// Converts one colour at a time through the output transform, the way the
// conversion tool does: device input values to the output's device values
// and to their D50 Lab; with Lab input, D50 Lab to the output's device
// values through D50lab2rlab and the output transform's Lab conversion.
class ColourConverter
{
public:
    // Empty on success, else why the profiles cannot be used.
    std::string open(const ConvertOptions& options);

    // The reader for the input lines the open transform takes.
    ColourLine lineReader() const;

    // One output line (without newline): output device values separated by
    // single spaces with the chosen decimals, a tab, then the input's D50
    // L a b with 4 decimals; with --gamut, a tab and the gamut check's
    // difference for the input colour (KxGamutCheck), with 2 decimals,
    // whatever the intent and accuracy. False when the engine could not
    // convert.
    bool convert(const std::vector<double>& values, std::string& line) const;

private:
    KxCmsIcc m_transform;
    KxGamutCheck m_gamutCheck; // open only for --gamut
    bool m_labInput = false;
    int m_decimals = 0;
};

#endif
