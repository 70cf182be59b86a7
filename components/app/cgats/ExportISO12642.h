#ifndef EXPORTISO12642_H
#define EXPORTISO12642_H

#include "KxCOMBOCOLOUR_CC.h"
#include "KxIcc.h"
#include "KxWriteResult.h"

#include <string>

// What is known of the instrument that measured (or will measure) a target.
// Empty texts are left out of the file.
struct SPECTROPHOTOMETERINFO {
    std::string instrument; // maker and model; written as INSTRUMENTATION
    std::string serial;     // the instrument's serial number, added to INSTRUMENTATION
    std::string geometry;   // MEASUREMENT_GEOMETRY, such as "0/45"
    std::string source;     // MEASUREMENT_SOURCE, the illumination, such as "D50"
};

// Writes ISO 12642 target description files: CGATS.17 text with one set
// per colour, fields SAMPLE_ID (1, 2, ...), SAMPLE_NAME, LAB_L, LAB_A, LAB_B
// (D50, four decimals), with RGB_R, RGB_G, RGB_B (percent, four decimals)
// before the Lab when every colour carries an RGB printer's device values
// (KX_COMBO_RGB), headed by ORIGINATOR, DESCRIPTOR and CREATED. A
// colour without a name is named by its sample number.
class ExportISO12642
{
public:
    // Writes `colours` in container order to `path`, replacing an existing
    // file only once the whole file has been written. `instrument` may be
    // null. Only Lab colours ('Lab ') can be written. Fails, saying why,
    // when nothing was written: no path, no colours, another colour space,
    // or a file that could not be written (the previous file, if any, is
    // then untouched).
    static KxWriteResult exportColours(const std::string& path, const SPECTROPHOTOMETERINFO* instrument,
                                       KxCOMBOCOLOUR_CC& colours, icColorSpaceSignature space);
};

#endif
