#ifndef KXWHOLENUMBER_H
#define KXWHOLENUMBER_H

// Reads text that is nothing but decimal digits (no sign, no spaces) as a
// number from low to high. False, leaving value as it was, for anything
// else, including a number too large to hold.
bool Kx_wholeNumber(const char* text, long low, long high, long& value);

#endif
