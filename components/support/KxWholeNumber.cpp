#include "KxWholeNumber.h"

#include <charconv>
#include <cmath>
#include <cstring>

bool Kx_wholeNumber(const char* text, long low, long high, long& value)
{
    if (!text || !*text)
        return false;
    long number = 0;
    for (const char* c = text; *c; ++c) {
        if (*c < '0' || *c > '9')
            return false;
        const int digit = *c - '0';
        if (number > high / 10 || number * 10 > high - digit)
            return false; // past high, however many digits follow
        number = number * 10 + digit;
    }
    if (number < low)
        return false;
    value = number;
    return true;
}

bool Kx_decimalNumber(const char* text, double& value)
{
    if (!text)
        return false;
    const char* digits = text + (*text == '+' || *text == '-');
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    // std::from_chars would also take "inf" and "nan", and takes no '+'.
    if (!isDigit(*digits) && !(*digits == '.' && isDigit(digits[1])))
        return false;
    const char* end = text + std::strlen(text);
    double number = 0.0;
    const auto [stop, error] = std::from_chars(*text == '+' ? text + 1 : text, end, number);
    if (error != std::errc() || stop != end || !std::isfinite(number))
        return false;
    value = number;
    return true;
}
