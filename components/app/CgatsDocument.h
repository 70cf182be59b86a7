#ifndef CGATSDOCUMENT_H
#define CGATSDOCUMENT_H

#include "CgatsParseContext.h"

#include <lcms2.h>

#include <cstddef>
#include <memory>
#include <string>

// One untrusted CGATS text parsed by LittleCMS's IT8 parser: the text is
// first passed by CgatsTextCheck, and the parser's memory is capped at a
// small multiple of the text's size.
class CgatsDocument
{
public:
    // `kindOfFile` names the file in messages, as in "the swatch file".
    explicit CgatsDocument(const char* kindOfFile);

    // Parses the text. False, with one sentence for the user, when refused.
    bool load(const unsigned char* data, std::size_t size, std::string& whyNot);

    // The parsed document, valid after a successful load.
    cmsHANDLE handle() const { return it8.get(); }
    // Argyll's own file types (CTI1, CTI2, CTI3).
    bool isArgyllType() const;
    int sets() const;
    // The set's value of the column if it reads as a decimal number, with
    // or without a sign, a point and an exponent.
    bool number(int set, int column, double& value) const;
    // "Set 3 (line 17)": where a set of the given table stands, for messages.
    std::string whereIsSet(unsigned table, int set) const;

    // What the parser may allocate for a text of `size` bytes.
    static std::size_t parserBudget(std::size_t size);

private:
    struct IT8Release {
        void operator()(void* handle) const { cmsIT8Free(handle); }
    };

    std::string kind;
    std::string text; // as checked and handed to the parser
    // Declared before the document, which is released first.
    std::unique_ptr<CgatsParseContext> parsing;
    std::unique_ptr<void, IT8Release> it8;
};

#endif
