// Fixed-decimal text for the readouts. printf rounds the binary value; the
// readouts round its 17-significant-digit expansion half up.
#pragma once

#include <string>
#include <string_view>

// The decimal sign the texts are written with: "." until the program sets
// the one its language writes ("," or "\u066b", UTF-8, at most 4 bytes).
void SetDecimalSign(std::string_view sign);
std::string_view DecimalSign();
// The ten digits the texts are written with, zero to nine: "0123456789"
// until the program sets its language's (ten UTF-8 characters, such as
// "\u06f0\u06f1..."); anything but ten characters keeps these.
void SetDigits(std::string_view digits);
// The text with each of 0 to 9 written as the language writes it.
std::string InLanguageDigits(std::string_view text);
// The text with every digit a user may type, the language's, the
// Arabic-Indic and the Persian, written as 0 to 9.
std::string InWesternDigits(std::string_view text);

// Writes the value with `decimals` digits after the decimal sign into `out`,
// e.g. (0.125, 2) -> "0.13", at most size - 1 characters and a terminating zero;
// returns the count of characters written.
int FormatFixed(char *out, int size, double value, int decimals);
// The same as a string, for texts that are kept.
std::string FormatFixed(double value, int decimals);

// printf into `out` with the conversions %d, %%, and %.Nf rounded as
// FormatFixed rounds; at most size - 1 characters and a terminating zero.
// Returns the count of characters written, the length to draw.
int FormatText(char *out, int size, const char *format, ...) __attribute__((format(printf, 3, 4)));

// The 17 significant digits of |value| and its decimal exponent e, so that
// |value| = 0.d1d2...d17 x 10^e. Zero gives seventeen '0' and e = 1.
struct DecimalDigits {
  char digits[17];
  int exponent;
  bool negative;
};
DecimalDigits ExpandDecimal(double value);
