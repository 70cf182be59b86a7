#include "KxWholeNumber.h"

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
