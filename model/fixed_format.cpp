#include "model/fixed_format.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kMaxDecimals = 20;
constexpr std::size_t kMaxSign = 4;  // a UTF-8 character

char g_sign[kMaxSign] = {'.'};
std::size_t g_signLength = 1;
// Enough for the integer digits of the largest double and every decimal.
constexpr int kMaxUnits = 310 + kMaxDecimals;

// Appends to a bounded buffer, always leaving room for the terminating zero.
struct Writer {
  char *out;
  int size;
  int count = 0;
  void Put(char c) {
    if (count < size - 1) out[count++] = c;
  }
  void Put(const char *s, int n) {
    for (int i = 0; i < n; ++i) Put(s[i]);
  }
  int Finish() {
    if (size > 0) out[count] = '\0';
    return count;
  }
};

}  // namespace

void SetDecimalSign(std::string_view sign) {
  if (sign.empty() || sign.size() > kMaxSign) sign = ".";
  g_signLength = sign.copy(g_sign, kMaxSign);
}

std::string_view DecimalSign() { return {g_sign, g_signLength}; }

DecimalDigits ExpandDecimal(double value) {
  DecimalDigits d{};
  d.negative = std::signbit(value);
  double magnitude = std::fabs(value);
  if (magnitude == 0.0) {
    for (char &c : d.digits) c = '0';
    d.exponent = 1;
    return d;
  }
  // "%.16e" gives exactly 17 significant digits: d.dddddddddddddddde+XX.
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.16e", magnitude);
  d.digits[0] = buf[0];
  for (int i = 1; i < 17; ++i) d.digits[i] = buf[i + 1];
  d.exponent = std::atoi(buf + 19) + 1;
  return d;
}

int FormatFixed(char *out, int size, double value, int decimals) {
  decimals = decimals < 0 ? 0 : (decimals > kMaxDecimals ? kMaxDecimals : decimals);
  DecimalDigits d = ExpandDecimal(value);
  // Digits kept, counted from the first significant one: all integer digits
  // plus `decimals` fraction digits. The kept digits, read as an integer,
  // are the value in units of 10^-decimals; one place in front for a carry.
  char units[kMaxUnits + 1];
  int keep = d.exponent + decimals;
  if (keep > kMaxUnits) keep = kMaxUnits;
  int count = 0;
  if (keep >= 0) {
    units[0] = '0';
    for (int i = 0; i < keep; ++i) units[i + 1] = i < 17 ? d.digits[i] : '0';
    count = keep + 1;
    if (keep < 17 && d.digits[keep] >= '5') {
      int i = keep;
      while (units[i] == '9') units[i--] = '0';
      ++units[i];
    }
  }
  // Leading zeros go, down to one integer digit; short units get zeros in front.
  const char *first = units;
  while (count > decimals + 1 && *first == '0') {
    ++first;
    --count;
  }
  const int pad = count < decimals + 1 ? decimals + 1 - count : 0;
  const int total = count + pad;
  const auto digit = [&](int i) { return i < pad ? '0' : first[i - pad]; };
  Writer w{out, size};
  if (d.negative) w.Put('-');
  for (int i = 0; i < total - decimals; ++i) w.Put(digit(i));
  if (decimals > 0) w.Put(g_sign, int(g_signLength));
  for (int i = total - decimals; i < total; ++i) w.Put(digit(i));
  return w.Finish();
}

std::string FormatFixed(double value, int decimals) {
  char text[kMaxUnits + kMaxSign + 3];
  return std::string(text, std::size_t(FormatFixed(text, int(sizeof text), value, decimals)));
}

int FormatText(char *out, int size, const char *format, ...) {
  Writer w{out, size};
  va_list args;
  va_start(args, format);
  for (const char *f = format; *f; ++f) {
    if (*f != '%') {
      w.Put(*f);
      continue;
    }
    ++f;
    if (*f == '%') {
      w.Put('%');
    } else if (*f == 'd') {
      char digits[16];
      w.Put(digits, std::snprintf(digits, sizeof digits, "%d", va_arg(args, int)));
    } else if (*f == '.' && f[1] >= '0' && f[1] <= '9' && f[2] == 'f') {
      char fixed[kMaxUnits + kMaxSign + 3];
      w.Put(fixed, FormatFixed(fixed, int(sizeof fixed), va_arg(args, double), f[1] - '0'));
      f += 2;
    } else {
      break;  // no other conversion is used
    }
  }
  va_end(args);
  return w.Finish();
}
