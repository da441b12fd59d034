// The text of the value fields: how a resistance is shown, and how what the
// user typed is read back.
#pragma once

#include <string>

// The value with two significant digits: "75", "0.13", "1.", "1.2e+002".
// Fixed form from 0.1 up to just under 100, exponent form otherwise; zeros
// before the end or the exponent go, the decimal point stays.
std::string FormatTwoDigits(double value);

// The longest prefix of `text`, after leading white space, that reads as a
// decimal number: sign, digits with at most one ".", and an exponent after
// e, E, d or D. No such prefix gives 0; a magnitude beyond the range of a
// double gives an infinity. Never hexadecimal, "inf" or "nan", and the
// decimal point is "." whatever the locale.
double ReadDecimalNumber(const char *text);
