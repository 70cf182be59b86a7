#ifndef CGATSREADINGSREADER_H
#define CGATSREADINGSREADER_H

#include <cstddef>
#include <string>
#include <vector>

// One set of a measurement file: what names the patch measured (the set's
// SAMPLE_ID and SAMPLE_NAME, empty when the file has no such field), the
// D50 L, a, b read for it and, where the table has CMYK_C, CMYK_M, CMYK_Y
// and CMYK_K, the inks printed (percent, as the file gives them).
struct CgatsReading {
    std::string id;
    std::string name;
    double lab[3];
    bool hasInks = false;
    double inks[4] = {0.0, 0.0, 0.0, 0.0};
};

// Reads the readings of a CGATS measurement file (ours, or Argyll's
// chartread or spotread output) as a CgatsDocument. The first table with
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
