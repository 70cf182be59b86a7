#ifndef KXCOMBOCOLOUR_H
#define KXCOMBOCOLOUR_H

#include "KxAlloc.h"

#include <cstdint>

// Flags of a named colour record.
constexpr std::uint32_t KX_COMBO_CMYK = 0x08; // C, M, Y, K hold ink values
constexpr std::uint32_t KX_COMBO_LAB = 0x20;  // L, a, b hold a D50 Lab colour
constexpr std::uint32_t KX_COMBO_SPOT = 0x40; // a spot (named ink) colour in its source file
constexpr std::uint32_t KX_COMBO_RGB = 0x80;  // rgb holds an RGB printer's device values

// A named colour: what swatch files hold, what the instrument panel is shown
// and what target files are written from. Made zero-filled with
// Kx_DIAGNOSTIC_calloc; the name is owned by the record.
struct KxCOMBOCOLOUR {
    std::uint32_t header[3];
    KxCOMBOCOLOUR* last;
    KxCOMBOCOLOUR* next;
    KxCOMBOCOLOUR* prev;
    char* name;
    std::uint32_t flags;
    unsigned char c, m, y, k; // ink, 0..255 for 0..100 %
    double L, a, b;           // D50 Lab
    unsigned char rgb[3];     // R, G, B sent to an RGB printer's driver, 0..255
};

inline void KxReleaseRecord(KxCOMBOCOLOUR* record)
{
    if (record)
        Kx_DIAGNOSTIC_free(record->name);
    Kx_DIAGNOSTIC_free(record);
}

#endif
