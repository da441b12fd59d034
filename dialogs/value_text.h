// The text of the value fields: how a resistance is shown, and how what the
// user typed is read back.
#pragma once

#include <string>

// The shortest text that reads back (ReadDecimalNumber) as the value itself,
// with the language's decimal sign: "75", "123.4" or "123,4", "9960", "0.1". Fixed form from 0.0001
// up to 10^17, the exponent form ("1.5e+020") beyond, so a field opened and left as it is gives
// back the very value it showed.
std::string FormatShortest(double value);

// The longest prefix of `text`, after leading white space, that reads as a
// decimal number: sign, digits with at most one decimal sign, the point or
// the language's own, and an exponent after e, E, d or D. No such prefix
// gives 0; a magnitude beyond the range of a double gives an infinity. Never
// hexadecimal, "inf" or "nan", and the C library's locale changes nothing.
double ReadDecimalNumber(const char *text);
