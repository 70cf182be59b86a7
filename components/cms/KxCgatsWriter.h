#ifndef KXCGATSWRITER_H
#define KXCGATSWRITER_H

#include <string>
#include <utility>
#include <vector>

// What a CGATS text holds: its file type on the first line, keywords with
// their values in order, then NUMBER_OF_FIELDS and NUMBER_OF_SETS (counted
// from `fields` and `sets`), the field list and one line per set.
struct KxCgatsSheet {
    std::string type; // "CGATS.17", "CTI3"
    // Written as quoted strings; a keyword with an empty value is left out.
    std::vector<std::pair<std::string, std::string>> keywords;
    std::vector<std::string> fields;
    // One value per field, as it is to appear; a value holding a space is
    // put in double quotes.
    std::vector<std::vector<std::string>> sets;
};

// Writes a sheet as CGATS text with the engine's CGATS writer.
class KxCgatsWriter
{
public:
    // False, with `text` untouched, when the sheet could not be written:
    // a set without one value per field, or memory exhausted.
    static bool write(const KxCgatsSheet& sheet, std::string& text);
};

#endif
