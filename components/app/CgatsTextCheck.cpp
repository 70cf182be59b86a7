#include "CgatsTextCheck.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>
#include <vector>

namespace {

constexpr std::size_t longestFileType = 1000;
constexpr std::size_t longestCount = 9; // decimal digits of a count

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
    if (value.text.empty() || value.text.size() > longestCount)
        return -1;
    long long count = 0;
    for (char c : value.text) {
        if (!isDigit(c))
            return -1;
        count = count * 10 + (c - '0');
    }
    return count;
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

    Tokenizer tokens(text);
    tokens.skipFileType();
    if (tokens.position() > longestFileType) {
        whyNot = "The first line of the CGATS file is too long for a file type.";
        return false;
    }

    // Field counts to mend: where a NUMBER_OF_FIELDS value stands in the
    // text, and the count to put there.
    struct Mend {
        std::size_t at, length;
        long long count;
    };
    std::vector<Mend> mends;
    std::optional<Mend> declaredFields;

    long long fields = 0, sets = 0;
    bool fieldsDeclared = false, formatListed = false; // in the current table
    for (Token token = tokens.next(); token.kind != Token::End; token = tokens.next()) {
        if (token.kind != Token::Word)
            continue;
        if (equalsIgnoringCase(token.text, "BEGIN_DATA")) {
            // Values are no keywords; the data ends the table.
            while (token.kind != Token::End && !(token.kind == Token::Word && equalsIgnoringCase(token.text, "END_DATA")))
                token = tokens.next();
            fieldsDeclared = formatListed = false;
            declaredFields.reset();
            if (token.kind == Token::End)
                break;
            continue;
        }
        if (equalsIgnoringCase(token.text, "BEGIN_DATA_FORMAT")) {
            // The parser sizes the field list from the count it has then;
            // a count given later, or none, leaves it reading past the list.
            if (!fieldsDeclared || formatListed) {
                whyNot = "The CGATS file lists its fields without a number of fields before them.";
                return false;
            }
            formatListed = true;
            long long listed = 0;
            for (token = tokens.next(); token.kind != Token::End && !equalsIgnoringCase(token.text, "END_DATA_FORMAT");
                 token = tokens.next())
                listed += token.kind == Token::Word ? 1 : 0;
            if (declaredFields && listed > 0 && listed != declaredFields->count) {
                mends.push_back({declaredFields->at, declaredFields->length, listed});
                fields = std::max(fields, listed);
            }
            declaredFields.reset();
            if (token.kind == Token::End)
                break;
            continue;
        }
        const bool isFields = equalsIgnoringCase(token.text, "NUMBER_OF_FIELDS");
        if (!isFields && !equalsIgnoringCase(token.text, "NUMBER_OF_SETS"))
            continue;
        if (isFields && formatListed) {
            whyNot = "The CGATS file gives its number of fields after listing them.";
            return false;
        }
        const Token value = tokens.next();
        const long long count = plainCount(value);
        if (count < 0) {
            whyNot = "The CGATS file gives its number of fields or sets in an unreadable form.";
            return false;
        }
        if (isFields) {
            fieldsDeclared = true;
            if (!value.text.empty())
                declaredFields = Mend{std::size_t(value.text.data() - text.data()), value.text.size(), count};
        }
        (isFields ? fields : sets) = std::max(isFields ? fields : sets, count);
    }

    // Every value takes at least two characters of text, so a real table of
    // (fields + 1) x (sets + 1) entries never needs more than this.
    if ((fields + 1) * (sets + 1) > 2 * static_cast<long long>(text.size()) + 64) {
        whyNot = "The CGATS file announces more data than it holds.";
        return false;
    }

    parsable.clear();
    std::size_t copied = 0;
    for (const Mend& mend : mends) {
        parsable.append(text.substr(copied, mend.at - copied)).append(std::to_string(mend.count));
        copied = mend.at + mend.length;
    }
    parsable.append(text.substr(copied));
    return true;
}
