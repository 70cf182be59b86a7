#ifndef CGATSTEXTCHECK_H
#define CGATSTEXTCHECK_H

#include <cstddef>
#include <string>
#include <string_view>

// Checks a CGATS text before LittleCMS's parser sees it, for what that
// parser would not survive or should not do with a file from anywhere:
// - an include directive ($INCLUDE or .INCLUDE), which would make it open
//   other files of this machine by name;
// - a first line (the file type) longer than the parser's buffer;
// - NUMBER_OF_FIELDS and NUMBER_OF_SETS values that are not plain counts, or
//   whose table would be far larger than the text could fill: the parser
//   sizes its table from them before reading any data, and its size
//   arithmetic overflows for some large pairs;
// - a field list (BEGIN_DATA_FORMAT) with no NUMBER_OF_FIELDS before it in
//   its table, or one given after it: the parser would read past the list;
// - more keywords, fields or sets than any chart needs (the limits of
//   KxCgatsDocument): the parser keeps keywords in lists it searches from the start for each
//   new one, so its time would grow with the square of their number;
// - a value in hexadecimal or binary ("0x10"), which the parser would take
//   for a number where the user reads none;
// - a LABEL field, or one whose name begins with '$': the parser looks up
//   every value of such a field in the keywords of every table.
// The scan splits the text into tokens the way the parser does (comments,
// quoted strings, identifiers, numbers), so the counts it checks are the
// ones the parser will use.
//
// Two things are mended in the text handed on:
// - a NUMBER_OF_FIELDS that disagrees with the number of fields its data
//   format then lists becomes that number, as Argyll reads such files (its
//   own reference file ColorChecker.ti2 is one); the parser would refuse them;
// - a value in exponent form without a decimal point ("1e6") gets one
//   ("1.e6"), which the parser needs to read it as a number.
class CgatsTextCheck
{
public:
    // True when the text may be parsed, with `parsable` set to the text to
    // hand the parser; otherwise false with a one-sentence reason for the user.
    static bool prepare(const char* text, std::size_t size, std::string& parsable, std::string& whyNot);

    // The 1-based line of a prepared text where a set of a table begins,
    // for the user; 0 when it cannot be found. Tables and sets count from 0.
    static unsigned long lineOfSet(std::string_view text, unsigned table, unsigned long set, unsigned long fields);
};

#endif
