#ifndef SWATCHLIST_H
#define SWATCHLIST_H

#include "KxComboColour.h"
#include "KxCmsLabConverter.h"

#include <string>

// The colours read from one swatch file, in file order, as a list of
// KxCOMBOCOLOUR records (made with Kx_DIAGNOSTIC_calloc, names with
// AllocateAndCopyString). The list owns its records until take() hands them
// over; otherwise they are released with it.
//
// Each add* call appends one record and returns false when it could not:
// a value that is not a finite number, a Lab value outside L -1 to 101 or
// a and b -200 to 200, an ink outside 0 to 100 %, an RGB or gray value
// outside 0 to its file's full scale, or memory exhausted (outOfMemory()
// then tells). Every swatch reader hands its values here unchecked, RGB and
// gray on its file's own scale, so that a value out of range refuses the
// file alike whatever its format. A swatch without a name is named by its
// 1-based position.
class SwatchList
{
public:
    SwatchList() = default;
    ~SwatchList();
    SwatchList(const SwatchList&) = delete;
    SwatchList& operator=(const SwatchList&) = delete;

    // Ink percentages 0..100; becomes a CMYK record.
    bool addCmyk(const std::string& name, double c, double m, double y, double k, bool spot);
    // D50 Lab as it stands; becomes a Lab record.
    bool addLab(const std::string& name, double L, double a, double b, bool spot);
    // sRGB channels 0..fullScale (255 in a GIMP palette, 1 in an Adobe
    // Swatch Exchange file); becomes a Lab record.
    bool addRgb(const std::string& name, double r, double g, double b, double fullScale, bool spot);
    // Gray level 0..fullScale, fullScale being white; becomes a Lab record.
    bool addGray(const std::string& name, double gray, double fullScale, bool spot);

    bool outOfMemory() const { return memoryExhausted; }
    // The reason for the user after an add* call failed, for a file of the
    // kind named ("Adobe Swatch Exchange") and the place of the swatch in
    // it ("Swatch 3", "Line 12").
    std::string whyNot(const std::string& kind, const std::string& where) const;
    unsigned long count() const { return length; }

    // Hands over the first record of the list; the list is empty afterwards.
    KxCOMBOCOLOUR* take();

private:
    bool appendLab(const std::string& name, const double lab[3], bool spot);
    KxCOMBOCOLOUR* append(const std::string& name, std::uint32_t flags);

    KxCOMBOCOLOUR* first = nullptr;
    unsigned long length = 0;
    bool memoryExhausted = false;
    std::string problem; // what was wrong with the last value refused
    KxCmsLabConverter converter;
};

#endif
