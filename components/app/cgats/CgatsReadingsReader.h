#ifndef CGATSREADINGSREADER_H
#define CGATSREADINGSREADER_H

#include <cstddef>
#include <string>
#include <vector>

// One reading: a set of a measurement file, or a reading from the
// instrument. What names the patch measured (the set's SAMPLE_ID and
// SAMPLE_NAME, empty when the file has no such field), the D50 L, a, b read
// for it, the ink values the set was printed with when the file gives
// CMYK_C, CMYK_M, CMYK_Y and CMYK_K or RGB_R, RGB_G and RGB_B, and the device the file says its sets
// were printed on.
struct CgatsReading {
    std::string id;
    std::string name;
    double lab[3];
    bool hasInks = false;
    double inks[4] = {}; // C, M, Y, K in percent
    // The R, G, B values the set was printed with when the file gives
    // RGB_R, RGB_G and RGB_B (100 full, as Argyll writes them).
    bool hasRgb = false;
    double rgb[3] = {};
    // "CMYK", "RGB", ...: the device part of the file's COLOR_REP
    // ("RGB_XYZ"), else the one its device fields name (RGB_R RGB_G RGB_B);
    // empty when the file names none, as for an instrument's reading.
    std::string device = {};
};

// Reads the readings of a CGATS measurement file (ours, or Argyll's
// chartread or spotread output) as a KxCgatsDocument. The first table with
// LAB_L, LAB_A, LAB_B gives one reading per set; a table with only XYZ_X,
// XYZ_Y, XYZ_Z (Y 100 for white, D50), as chartread writes, serves too.
// Each set must be named by SAMPLE_ID or SAMPLE_NAME.
class CgatsReadingsReader
{
public:
    // False, with one sentence for the user, when the file is refused;
    // nothing read is then kept.
    static bool read(const unsigned char* data, std::size_t size, std::vector<CgatsReading>& readings,
                     std::string& whyNot);
    static bool readFile(const char* path, std::vector<CgatsReading>& readings, std::string& whyNot);
};

#endif
