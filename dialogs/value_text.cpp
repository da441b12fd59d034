#include "dialogs/value_text.h"

#include <cstdlib>
#include <cstring>
#include <limits>

#include "model/fixed_format.h"

namespace {

constexpr int kShownDigits = 2;          // significant digits in a field
constexpr int kLowestFixedExponent = 0;  // 0.1 <= value < 100 is written without exponent
constexpr int kExponentWidth = 3;        // "e+002"
// Powers of ten past which a double is infinite or zero whatever the digits.
constexpr long long kOverflowPower = 310;
constexpr long long kUnderflowPower = -330;
// Typed exponents are counted up to here; any larger one means the same.
constexpr long long kExponentCap = 100000000;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsWhiteSpace(char c) { return c != '\0' && std::strchr(" \t\n\v\f\r", c) != nullptr; }
bool IsExponentMark(char c) { return c == 'e' || c == 'E' || c == 'd' || c == 'D'; }

// The digits of the magnitude as they are read on: first, second, then zeros.
char KeptDigit(int kept, int index) {
  if (index == 0) return char('0' + kept / 10);
  if (index == 1) return char('0' + kept % 10);
  return '0';
}

// Zeros that end the mantissa say nothing once there is a decimal point.
void DropTrailingZeros(std::string &text) {
  if (text.find('.') == std::string::npos) return;
  std::size_t end = text.find('e');
  if (end == std::string::npos) end = text.size();
  std::size_t start = end;
  while (text[start - 1] == '0') --start;
  text.erase(start, end - start);
}

}  // namespace

std::string FormatTwoDigits(double value) {
  DecimalDigits d = ExpandDecimal(value);
  int exponent = d.exponent;
  int kept = (d.digits[0] - '0') * 10 + (d.digits[1] - '0') + (d.digits[2] >= '5' ? 1 : 0);
  int shownExponent = exponent;
  if (kept == 100) {  // 99.6 -> 100: one digit more in front
    kept = 10;
    ++shownExponent;
  }
  std::string text = d.negative ? "-" : "";
  if (exponent >= kLowestFixedExponent && exponent <= kShownDigits) {
    if (shownExponent <= 0) text += '0';
    for (int i = 0; i < shownExponent; ++i) text += KeptDigit(kept, i);
    int decimals = kShownDigits - exponent;
    if (decimals > 0) text += '.';
    for (int i = 0; i < decimals; ++i) text += KeptDigit(kept, shownExponent + i);
  } else {
    int power = shownExponent - 1;
    text += KeptDigit(kept, 0);
    text += '.';
    text += KeptDigit(kept, 1);
    text += power < 0 ? "e-" : "e+";
    std::string digits = std::to_string(power < 0 ? -power : power);
    text += std::string(kExponentWidth - digits.size(), '0') + digits;
  }
  DropTrailingZeros(text);
  return text;
}

double ReadDecimalNumber(const char *text) {
  const char *p = text;
  while (IsWhiteSpace(*p)) ++p;
  bool negative = *p == '-';
  if (*p == '+' || *p == '-') ++p;

  // The value is 0.<significant> x 10^power.
  std::string significant;
  long long power = 0;
  bool anyDigit = false;
  for (; IsDigit(*p); ++p) {
    anyDigit = true;
    if (significant.empty() && *p == '0') continue;
    significant += *p;
    ++power;
  }
  if (*p == '.') {
    for (++p; IsDigit(*p); ++p) {
      anyDigit = true;
      if (significant.empty() && *p == '0')
        --power;
      else
        significant += *p;
    }
  }
  if (!anyDigit) return 0.0;

  // An exponent counts only with at least one digit: "1e+" reads as 1.
  if (IsExponentMark(*p)) {
    const char *q = p + 1;
    bool negativeExponent = *q == '-';
    if (*q == '+' || *q == '-') ++q;
    const char *exponentDigits = q;
    long long exponent = 0;
    for (; IsDigit(*q); ++q)
      if (exponent < kExponentCap) exponent = exponent * 10 + (*q - '0');
    if (q > exponentDigits) power += negativeExponent ? -exponent : exponent;
  }

  double magnitude;
  if (significant.empty() || power < kUnderflowPower) {
    magnitude = 0.0;
  } else if (power > kOverflowPower) {
    magnitude = std::numeric_limits<double>::infinity();
  } else {
    // The digits are checked; strtod only rounds them to the nearest double.
    // Without a decimal point the locale cannot change how it reads them.
    const long long scale = power - (long long)significant.size();
    std::string clean = significant + "e" + std::to_string(scale);
    magnitude = std::strtod(clean.c_str(), nullptr);
  }
  return negative ? -magnitude : magnitude;
}
