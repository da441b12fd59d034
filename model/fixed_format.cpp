#include "model/fixed_format.h"

#include <cmath>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kMaxDecimals = 20;
constexpr std::size_t kMaxSign = 4;  // a UTF-8 character

char g_sign[kMaxSign] = {'.'};
std::size_t g_signLength = 1;
// The language's digits, each a UTF-8 character.
char g_digits[10][kMaxSign] = {{'0'}, {'1'}, {'2'}, {'3'}, {'4'},
                               {'5'}, {'6'}, {'7'}, {'8'}, {'9'}};
std::size_t g_digitLengths[10] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
// Digits read whatever the language: the Arabic-Indic and the Persian zero to
// nine differ from U+0660 and U+06F0 in their last UTF-8 byte only.
constexpr std::string_view kArabicIndicZero = "\u0660", kPersianZero = "\u06f0";
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
  // Every digit goes out as the language writes it.
  void PutDigit(char c) {
    if (c >= '0' && c <= '9')
      Put(g_digits[c - '0'], int(g_digitLengths[c - '0']));
    else
      Put(c);
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

void SetDigits(std::string_view digits) {
  std::string_view each[10];
  int count = 0;
  for (std::size_t at = 0, next = 0; at < digits.size(); at = next) {
    next = at + 1;
    while (next < digits.size() && (digits[next] & 0xC0) == 0x80) ++next;
    if (count == 10 || next - at > kMaxSign) return;
    each[count++] = digits.substr(at, next - at);
  }
  if (count != 10) return;
  for (int d = 0; d < 10; ++d) g_digitLengths[d] = each[d].copy(g_digits[d], kMaxSign);
}

std::string InLanguageDigits(std::string_view text) {
  std::string out(text.size() * kMaxSign + 1, '\0');
  Writer w{out.data(), int(out.size())};
  for (const char c : text) w.PutDigit(c);
  out.resize(std::size_t(w.Finish()));
  return out;
}

std::string InWesternDigits(std::string_view text) {
  std::string out;
  for (std::size_t at = 0; at < text.size();) {
    int digit = -1;
    std::size_t length = 1;
    for (int d = 0; d < 10 && digit < 0; ++d)
      if (text.substr(at).starts_with({g_digits[d], g_digitLengths[d]}))
        digit = d, length = g_digitLengths[d];
    for (const std::string_view zero : {kArabicIndicZero, kPersianZero})
      if (digit < 0 && text.size() - at >= 2 && text[at] == zero[0]) {
        const int d = std::uint8_t(text[at + 1]) - std::uint8_t(zero[1]);
        if (d >= 0 && d < 10) digit = d, length = 2;
      }
    out += digit < 0 ? text[at] : char('0' + digit);
    at += length;
  }
  return out;
}

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
  for (int i = 0; i < total - decimals; ++i) w.PutDigit(digit(i));
  if (decimals > 0) w.Put(g_sign, int(g_signLength));
  for (int i = total - decimals; i < total; ++i) w.PutDigit(digit(i));
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
      const int n = std::snprintf(digits, sizeof digits, "%d", va_arg(args, int));
      for (int i = 0; i < n; ++i) w.PutDigit(digits[i]);
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
