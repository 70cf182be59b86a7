#ifndef KXCGATSDOCUMENT_H
#define KXCGATSDOCUMENT_H

#include <cstddef>
#include <memory>
#include <string>

// One untrusted CGATS text (CGATS.17, IT8, Argyll's CTI files), parsed by
// the engine: the text is checked first, and the parser's memory is capped
// at a small multiple of the text's size. Its tables are read one at a
// time: selectTable() makes one current, and the field and set calls read
// that one.
class KxCgatsDocument
{
public:
    // Keywords of all tables together, each declaration (KEYWORD,
    // DATA_FORMAT_IDENTIFIER) and each "name,value" pair of a
    // WEIGHTING_FUNCTION or COMPUTATIONAL_PARAMETER counting as one.
    static constexpr unsigned long MOST_KEYWORDS = 1000;
    // Fields of a table: room for spectral readings at 1 nm beside the rest.
    static constexpr unsigned long MOST_FIELDS = 1000;
    // Sets of a table: the most the parser holds in one.
    static constexpr unsigned long MOST_SETS = 32766;

    // `kindOfFile` names the file in messages, as in "the swatch file".
    explicit KxCgatsDocument(const char* kindOfFile);
    ~KxCgatsDocument();
    KxCgatsDocument(const KxCgatsDocument&) = delete;
    KxCgatsDocument& operator=(const KxCgatsDocument&) = delete;

    // Parses the text; the first table is then current. False, with one
    // sentence for the user, when refused.
    bool load(const unsigned char* data, std::size_t size, std::string& whyNot);

    // The calls below read a successfully loaded document.
    // Argyll's own file types (CTI1, CTI2, CTI3).
    bool isArgyllType() const;
    unsigned tables() const;
    // False when the table cannot be made current.
    bool selectTable(unsigned table);
    // The column of a field of the current table, its name compared without
    // regard to case; -1 when the table has no such field.
    int column(const char* field) const;
    // The sets the current table announces.
    int sets() const;
    // The value of a keyword of the current table's header, without quotes;
    // null when the table does not give it.
    const char* property(const char* keyword) const;
    // A set's value in a column as written, without quotes; null when
    // there is none.
    const char* text(int set, int column) const;
    // The set's value of the column if it reads as a decimal number, with
    // or without a sign, a point and an exponent.
    bool number(int set, int column, double& value) const;
    // "Set 3 (line 17)": where a set of the given table stands, for messages.
    std::string whereIsSet(unsigned table, int set) const;

private:
    struct Parsed;

    std::string kind;
    std::unique_ptr<Parsed> parsed;
};

#endif
