// Fixed-decimal text for the readouts. printf rounds the binary value; the
// readouts round its 17-significant-digit expansion half up.
#pragma once

#include <string>

// The value with `decimals` digits after the point, e.g. (0.125, 2) -> "0.13".
std::string FormatFixed(double value, int decimals);

// The 17 significant digits of |value| and its decimal exponent e, so that
// |value| = 0.d1d2...d17 x 10^e. Zero gives seventeen '0' and e = 1.
struct DecimalDigits {
  char digits[17];
  int exponent;
  bool negative;
};
DecimalDigits ExpandDecimal(double value);
