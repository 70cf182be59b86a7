#ifndef KXWHOLENUMBER_H
#define KXWHOLENUMBER_H

// Reads text that is nothing but decimal digits (no sign, no spaces) as a
// number from low to high. False, leaving value as it was, for anything
// else, including a number too large to hold.
bool Kx_wholeNumber(const char* text, long low, long high, long& value);

// Reads text that is nothing but a decimal number: an optional sign, digits
// with an optional '.' and fraction, and an optional exponent ("-2.5e3"),
// read with '.' whatever the locale. False, leaving value as it was, for
// anything else: hexadecimal ("0x12C"), inf, nan, spaces, a number too
// large to hold.
bool Kx_decimalNumber(const char* text, double& value);

#endif
