#include "CgatsTextCheck.h"

#include "KxCgatsDocument.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>
#include <vector>

namespace {

// Limits on what the parser is given.
constexpr std::size_t LONGEST_FILE_TYPE = 1000; // the parser's buffer for the first line
constexpr std::size_t LONGEST_COUNT = 9;        // decimal digits of a field or set count
// Every value in a data section takes at least this many characters (one
// and a separator), so a table of more entries than the text could fill
// is a lie; a little slack is left for tiny files.
constexpr long long CHARACTERS_PER_VALUE = 2;
constexpr long long TABLE_SLACK = 64;

bool isSeparator(char c)
{
    return c == ' ' || c == '\t';
}

// The characters the parser allows inside identifiers and numbers.
bool isWordChar(char c)
{
    return c > 32 && c < 127 && c != '#' && c != '"' && c != '\'';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size()
           && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
                  return (x >= 'a' && x <= 'z' ? x - 32 : x) == (y >= 'a' && y <= 'z' ? y - 32 : y);
              });
}

bool containsIgnoringCase(std::string_view text, std::string_view word)
{
    for (std::size_t i = 0; i + word.size() <= text.size(); ++i)
        if (equalsIgnoringCase(text.substr(i, word.size()), word))
            return true;
    return false;
}

struct Token {
    enum Kind { Word, String, EndOfLine, End } kind;
    std::string_view text;
};

// Splits the text as the parser does. A number token ends where the parser's
// number reading stops: after the digits of a hexadecimal or binary number
// and after a real number, while an integer directly followed by word
// characters continues as one identifier.
class Tokenizer
{
public:
    explicit Tokenizer(std::string_view source) : text(source) {}

    void skipFileType()
    {
        while (at < text.size() && isSeparator(text[at]))
            ++at;
        while (at < text.size() && text[at] != '\r' && text[at] != '\n' && text[at] != '\t')
            ++at;
    }
    std::size_t position() const { return at; }
    void moveTo(std::size_t position) { at = position; }

    Token next()
    {
        for (;;) {
            while (at < text.size() && isSeparator(text[at]))
                ++at;
            if (at >= text.size())
                return {Token::End, {}};
            const char c = text[at];
            if (c == '#') {
                while (at < text.size() && text[at] != '\n' && text[at] != '\r')
                    ++at;
                continue;
            }
            if (c == '\r' || c == '\n') {
                ++at;
                return {Token::EndOfLine, {}};
            }
            if (c == '"' || c == '\'') {
                const std::size_t begin = ++at;
                while (at < text.size() && text[at] != c && text[at] != '\n' && text[at] != '\r')
                    ++at;
                const std::string_view body = text.substr(begin, at - begin);
                if (at < text.size())
                    ++at; // the closing quote, or the line end that cut the string short
                return {Token::String, body};
            }
            if (isDigit(c) || c == '-')
                return number();
            if (isWordChar(c))
                return word(at);
            return {Token::End, {}}; // the parser stops here with an error
        }
    }

private:
    Token word(std::size_t begin)
    {
        while (at < text.size() && isWordChar(text[at]))
            ++at;
        return {Token::Word, text.substr(begin, at - begin)};
    }

    bool peek(char c) const { return at < text.size() && text[at] == c; }
    bool peekIn(const char* set) const { return at < text.size() && text[at] && std::strchr(set, text[at]); }
    void skipWhile(bool (*accept)(char))
    {
        while (at < text.size() && accept(text[at]))
            ++at;
    }

    Token number()
    {
        const std::size_t begin = at;
        if (peek('-'))
            ++at;
        if (peek('0')) {
            ++at;
            if (peekIn("xX")) {
                ++at;
                skipWhile([](char d) { return isDigit(d) || (d >= 'a' && d <= 'f') || (d >= 'A' && d <= 'F'); });
                return {Token::Word, text.substr(begin, at - begin)};
            }
            if (peekIn("bB")) {
                ++at;
                skipWhile([](char d) { return d == '0' || d == '1'; });
                return {Token::Word, text.substr(begin, at - begin)};
            }
        }
        std::uint64_t value = 0;
        bool real = false;
        while (at < text.size() && isDigit(text[at])) {
            value = std::min<std::uint64_t>(value * 10 + (text[at] - '0'), UINT64_C(1) << 40);
            ++at;
            if (value > 2147483647u) {
                real = true;
                break;
            }
        }
        if (real || peek('.')) {
            readReal();
            return {Token::Word, text.substr(begin, at - begin)};
        }
        if (at < text.size() && isWordChar(text[at]))
            return word(begin);
        return {Token::Word, text.substr(begin, at - begin)};
    }

    void readReal()
    {
        skipWhile(isDigit);
        if (peek('.')) {
            ++at;
            skipWhile(isDigit);
        }
        if (peekIn("eE")) {
            ++at;
            if (peekIn("+-"))
                ++at;
            skipWhile(isDigit);
        }
    }

    std::string_view text;
    std::size_t at = 0;
};

// The count a value token stands for, or -1 when it is not a plain count.
long long plainCount(const Token& value)
{
    if (value.kind == Token::EndOfLine || value.kind == Token::End)
        return 0;
    if (value.text.empty() || value.text.size() > LONGEST_COUNT)
        return -1;
    long long count = 0;
    for (char c : value.text) {
        if (!isDigit(c))
            return -1;
        count = count * 10 + (c - '0');
    }
    return count;
}

// Where a decimal point must go to make the parser read a number in
// exponent form without one ("1e6", "-2E-3"): right before the exponent.
// npos for any other token. The parser takes such a number for a name and
// mangles it.
std::size_t missingPointOf(std::string_view value)
{
    std::size_t at = value.empty() || (value[0] != '-' && value[0] != '+') ? 0 : 1;
    const std::size_t digits = at;
    while (at < value.size() && isDigit(value[at]))
        ++at;
    if (at == digits || at == value.size() || (value[at] != 'e' && value[at] != 'E'))
        return std::string_view::npos;
    const std::size_t exponent = at;
    if (++at < value.size() && (value[at] == '+' || value[at] == '-'))
        ++at;
    const std::size_t exponentDigits = at;
    while (at < value.size() && isDigit(value[at]))
        ++at;
    return at == value.size() && at > exponentDigits ? exponent : std::string_view::npos;
}

// The reason for a text past one of the limits.
// Whether a value is a number the parser reads in hexadecimal or binary
// ("0x10", "-0b101").
bool isNonDecimalNumber(std::string_view value)
{
    if (!value.empty() && value.front() == '-')
        value.remove_prefix(1);
    return value.size() >= 2 && value[0] == '0' && std::strchr("xXbB", value[1]);
}

std::string tooMany(unsigned long limit, const char* what)
{
    return "The CGATS file has more than " + std::to_string(limit) + " " + what + ", too many for a chart.";
}

// Keywords whose value the parser splits into "name,value" pairs separated
// by ';', keeping each pair as a keyword entry of its own.
bool isPairKeyword(std::string_view keyword)
{
    return equalsIgnoringCase(keyword, "WEIGHTING_FUNCTION") || equalsIgnoringCase(keyword, "COMPUTATIONAL_PARAMETER");
}

// A field whose values the parser takes for the names of keywords in other
// tables, each looked up in every table.
bool refersToTables(std::string_view field)
{
    return equalsIgnoringCase(field, "LABEL") || (!field.empty() && field.front() == '$');
}

// A change to the text before the parser sees it.
struct Mend {
    std::size_t at, length;
    std::string replacement;
};

// One pass over the text's tokens. Each keyword that matters has a handler
// of its own; the scan records the counts it met and the mends to make.
class CgatsScan
{
public:
    explicit CgatsScan(std::string_view source) : text(source), tokens(source) {}

    bool run(std::string& whyNot);
    std::string mended() const;

private:
    bool beginData(std::string& whyNot);
    bool beginDataFormat(std::string& whyNot);
    bool numberOfFields(std::string& whyNot);
    bool numberOfSets(std::string& whyNot);
    bool keyword(std::string_view name, std::string& whyNot);
    bool countKeywords(unsigned long entries, std::string& whyNot);
    // The count that follows NUMBER_OF_FIELDS or NUMBER_OF_SETS (a keyword
    // of its own); false when it is not a plain count or more than `most`.
    bool readCount(unsigned long most, const char* what, long long& count, Token& value, std::string& whyNot);

    struct Handler {
        std::string_view keyword;
        bool (CgatsScan::*handle)(std::string& whyNot);
    };
    static const Handler handlers[];
    static const Handler* handlerFor(std::string_view word);

    std::string_view text;
    Tokenizer tokens;
    bool ended = false; // the text ended inside a section
    std::vector<Mend> mends;
    long long fields = 0, sets = 0; // the largest counts of any table
    unsigned long keywords = 0;      // of all tables
    // The current table's state.
    bool fieldsDeclared = false, formatListed = false;
    std::optional<Mend> declaredFields; // where its NUMBER_OF_FIELDS value stands
    long long declaredFieldCount = 0;
};

const CgatsScan::Handler CgatsScan::handlers[] = {
    {"BEGIN_DATA", &CgatsScan::beginData},
    {"BEGIN_DATA_FORMAT", &CgatsScan::beginDataFormat},
    {"NUMBER_OF_FIELDS", &CgatsScan::numberOfFields},
    {"NUMBER_OF_SETS", &CgatsScan::numberOfSets},
};

bool CgatsScan::run(std::string& whyNot)
{
    tokens.skipFileType();
    if (tokens.position() > LONGEST_FILE_TYPE) {
        whyNot = "The first line of the CGATS file is too long for a file type.";
        return false;
    }
    for (Token token = tokens.next(); token.kind != Token::End && !ended; token = tokens.next()) {
        if (token.kind != Token::Word)
            continue;
        const Handler* handler = handlerFor(token.text);
        if (!(handler ? (this->*handler->handle)(whyNot) : keyword(token.text, whyNot)))
            return false;
    }
    if ((fields + 1) * (sets + 1) > CHARACTERS_PER_VALUE * static_cast<long long>(text.size()) + TABLE_SLACK) {
        whyNot = "The CGATS file announces more data than it holds.";
        return false;
    }
    return true;
}

const CgatsScan::Handler* CgatsScan::handlerFor(std::string_view word)
{
    for (const Handler& handler : handlers)
        if (equalsIgnoringCase(word, handler.keyword))
            return &handler;
    return nullptr;
}

// Any other word of a header names a keyword (or declares one, after
// KEYWORD or DATA_FORMAT_IDENTIFIER), and the token after it is its value.
// A value the parser would not take leaves the scan where it was, so that
// no section start or count is passed over.
bool CgatsScan::keyword(std::string_view name, std::string& whyNot)
{
    const std::size_t beforeValue = tokens.position();
    const Token value = tokens.next();
    unsigned long entries = 1;
    if (value.kind == Token::Word && handlerFor(value.text))
        tokens.moveTo(beforeValue);
    else if (value.kind == Token::String && isPairKeyword(name))
        entries = 1 + static_cast<unsigned long>(std::count(value.text.begin(), value.text.end(), ';'));
    return countKeywords(entries, whyNot);
}

bool CgatsScan::countKeywords(unsigned long entries, std::string& whyNot)
{
    keywords += entries;
    if (keywords <= KxCgatsDocument::MOST_KEYWORDS)
        return true;
    whyNot = tooMany(KxCgatsDocument::MOST_KEYWORDS, "keywords");
    return false;
}

// Values are no keywords; the data ends the table. Numbers in exponent form
// get the decimal point the parser needs to read them as numbers; numbers
// the parser would read in hexadecimal or binary are refused.
bool CgatsScan::beginData(std::string& whyNot)
{
    Token token = tokens.next();
    for (; token.kind != Token::End && !(token.kind == Token::Word && equalsIgnoringCase(token.text, "END_DATA"));
         token = tokens.next()) {
        if (token.kind == Token::Word && isNonDecimalNumber(token.text)) {
            whyNot = "The CGATS file holds a value in hexadecimal or binary; values are read in decimal only.";
            return false;
        }
        const std::size_t point = token.kind == Token::Word ? missingPointOf(token.text) : std::string_view::npos;
        if (point != std::string_view::npos)
            mends.push_back({std::size_t(token.text.data() - text.data()) + point, 0, "."});
    }
    fieldsDeclared = formatListed = false;
    declaredFields.reset();
    ended = token.kind == Token::End;
    return true;
}

// The parser sizes the field list from the count it has then; a count given
// later, or none, leaves it reading past the list. A count that disagrees
// with the list is mended to the list's length, as Argyll reads such files.
bool CgatsScan::beginDataFormat(std::string& whyNot)
{
    if (!fieldsDeclared || formatListed) {
        whyNot = "The CGATS file lists its fields without a number of fields before them.";
        return false;
    }
    formatListed = true;
    long long listed = 0;
    Token token = tokens.next();
    for (; token.kind != Token::End && !equalsIgnoringCase(token.text, "END_DATA_FORMAT"); token = tokens.next()) {
        if (token.kind != Token::Word)
            continue;
        if (++listed > static_cast<long long>(KxCgatsDocument::MOST_FIELDS)) {
            whyNot = tooMany(KxCgatsDocument::MOST_FIELDS, "fields in a table");
            return false;
        }
        if (refersToTables(token.text)) {
            whyNot = "The CGATS file has a field " + std::string(token.text)
                     + " that refers to other tables, which Tintora does not read.";
            return false;
        }
    }
    if (declaredFields && listed > 0 && listed != declaredFieldCount) {
        mends.push_back({declaredFields->at, declaredFields->length, std::to_string(listed)});
        fields = std::max(fields, listed);
    }
    declaredFields.reset();
    ended = token.kind == Token::End;
    return true;
}

bool CgatsScan::numberOfFields(std::string& whyNot)
{
    if (formatListed) {
        whyNot = "The CGATS file gives its number of fields after listing them.";
        return false;
    }
    long long count;
    Token value;
    if (!readCount(KxCgatsDocument::MOST_FIELDS, "fields in a table", count, value, whyNot))
        return false;
    fieldsDeclared = true;
    declaredFieldCount = count;
    if (!value.text.empty())
        declaredFields = Mend{std::size_t(value.text.data() - text.data()), value.text.size(), std::string()};
    fields = std::max(fields, count);
    return true;
}

bool CgatsScan::numberOfSets(std::string& whyNot)
{
    long long count;
    Token value;
    if (!readCount(KxCgatsDocument::MOST_SETS, "sets in a table", count, value, whyNot))
        return false;
    sets = std::max(sets, count);
    return true;
}

bool CgatsScan::readCount(unsigned long most, const char* what, long long& count, Token& value, std::string& whyNot)
{
    if (!countKeywords(1, whyNot))
        return false;
    value = tokens.next();
    count = plainCount(value);
    if (count < 0) {
        whyNot = "The CGATS file gives its number of fields or sets in an unreadable form.";
        return false;
    }
    if (count > static_cast<long long>(most)) {
        whyNot = tooMany(most, what);
        return false;
    }
    return true;
}

std::string CgatsScan::mended() const
{
    std::vector<Mend> inOrder = mends;
    std::stable_sort(inOrder.begin(), inOrder.end(), [](const Mend& a, const Mend& b) { return a.at < b.at; });
    std::string result;
    result.reserve(text.size() + inOrder.size());
    std::size_t copied = 0;
    for (const Mend& mend : inOrder) {
        result.append(text.substr(copied, mend.at - copied)).append(mend.replacement);
        copied = mend.at + mend.length;
    }
    result.append(text.substr(copied));
    return result;
}

// The 1-based line of a position in the text.
unsigned long lineAt(std::string_view text, std::size_t position)
{
    const std::string_view before = text.substr(0, position);
    return 1 + static_cast<unsigned long>(std::count(before.begin(), before.end(), '\n'));
}

} // namespace

bool CgatsTextCheck::prepare(const char* data, std::size_t size, std::string& parsable, std::string& whyNot)
{
    // The parser reads up to the first zero byte.
    std::string_view text(data, size);
    text = text.substr(0, std::min(text.find('\0'), text.size()));

    if (containsIgnoringCase(text, "$INCLUDE") || containsIgnoringCase(text, ".INCLUDE")) {
        whyNot = "The CGATS file asks to include other files, which Tintora does not allow.";
        return false;
    }
    CgatsScan scan(text);
    if (!scan.run(whyNot))
        return false;
    parsable = scan.mended();
    return true;
}

unsigned long CgatsTextCheck::lineOfSet(std::string_view text, unsigned table, unsigned long set, unsigned long fields)
{
    Tokenizer tokens(text);
    tokens.skipFileType();
    unsigned tablesSeen = 0;
    for (Token token = tokens.next(); token.kind != Token::End; token = tokens.next()) {
        if (token.kind != Token::Word || !equalsIgnoringCase(token.text, "BEGIN_DATA") || tablesSeen++ != table)
            continue;
        unsigned long values = 0;
        for (token = tokens.next(); token.kind != Token::End; token = tokens.next()) {
            if (token.kind == Token::EndOfLine)
                continue;
            if (values++ == set * fields)
                return lineAt(text, std::size_t(token.text.data() - text.data()));
        }
        break;
    }
    return 0;
}
