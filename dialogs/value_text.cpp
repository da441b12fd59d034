#include "dialogs/value_text.h"

#include <cstdlib>
#include <cstring>
#include <limits>

#include "model/fixed_format.h"

namespace {

// Fixed form for 10^(kLowestFixed - 1) <= |value| < 10^kHighestFixed.
constexpr int kLowestFixed = -3, kHighestFixed = 17;
constexpr int kExponentWidth = 3;  // "e+020"
// Powers of ten past which a double is infinite or zero whatever the digits.
constexpr long long kOverflowPower = 310;
constexpr long long kUnderflowPower = -330;
// Typed exponents are counted up to here; any larger one means the same.
constexpr long long kExponentCap = 100000000;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsWhiteSpace(char c) { return c != '\0' && std::strchr(" \t\n\v\f\r", c) != nullptr; }
bool IsExponentMark(char c) { return c == 'e' || c == 'E' || c == 'd' || c == 'D'; }

// The first `count` of the 17 significant digits, rounded half up on the
// next; a carry adds a digit in front and raises the exponent.
std::string Rounded(const DecimalDigits &d, int count, int &exponent) {
  std::string digits(d.digits, std::size_t(count));
  exponent = d.exponent;
  if (count < 17 && d.digits[count] >= '5') {
    int i = count - 1;
    for (; i >= 0 && digits[std::size_t(i)] == '9'; --i) digits[std::size_t(i)] = '0';
    if (i >= 0)
      ++digits[std::size_t(i)];
    else
      digits.insert(digits.begin(), '1'), ++exponent;
  }
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  return digits;
}

// The digits 0.ddd x 10^exponent written out.
std::string Written(bool negative, const std::string &digits, int exponent) {
  const std::string sign(DecimalSign());
  std::string text = negative ? "-" : "";
  const int count = int(digits.size());
  if (exponent >= kLowestFixed && exponent <= kHighestFixed) {
    if (exponent <= 0) return text + "0" + sign + std::string(std::size_t(-exponent), '0') + digits;
    if (exponent >= count) return text + digits + std::string(std::size_t(exponent - count), '0');
    return text + digits.substr(0, std::size_t(exponent)) + sign +
           digits.substr(std::size_t(exponent));
  }
  text += digits[0];
  if (count > 1) text += sign + digits.substr(1);
  const int power = exponent - 1;
  const std::string powerDigits = std::to_string(power < 0 ? -power : power);
  text += power < 0 ? "e-" : "e+";
  return text +
         std::string(kExponentWidth - std::min<std::size_t>(kExponentWidth, powerDigits.size()),
                     '0') +
         powerDigits;
}

}  // namespace

std::string FormatShortest(double value) {
  const DecimalDigits d = ExpandDecimal(value);
  std::string text;
  for (int count = 1; count <= 17; ++count) {
    int exponent = 0;
    const std::string digits = Rounded(d, count, exponent);
    text = digits == "0" ? std::string(d.negative ? "-0" : "0")
                         : Written(d.negative, digits, exponent);
    if (ReadDecimalNumber(text.c_str()) == value) break;
  }
  return InLanguageDigits(text);
}

double ReadDecimalNumber(const char *typed) {
  const std::string western = InWesternDigits(typed);
  const char *p = western.c_str();
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
  const std::string_view sign = DecimalSign();
  if (*p == '.' || std::string_view(p).starts_with(sign)) {
    for (p += *p == '.' ? 1 : sign.size(); IsDigit(*p); ++p) {
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
