#include "model/fixed_format.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

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

std::string FormatFixed(double value, int decimals) {
  DecimalDigits d = ExpandDecimal(value);
  // Digits kept, counted from the first significant one: all integer digits
  // plus `decimals` fraction digits. The kept digits, read as an integer,
  // are the value in units of 10^-decimals.
  int keep = d.exponent + decimals;
  std::string units;
  if (keep >= 0) {
    for (int i = 0; i < keep; ++i) units += i < 17 ? d.digits[i] : '0';
    if (keep < 17 && d.digits[keep] >= '5') {
      int i = keep - 1;
      while (i >= 0 && units[i] == '9') units[i--] = '0';
      if (i >= 0)
        ++units[i];
      else
        units.insert(units.begin(), '1');
    }
  }
  std::size_t width = std::size_t(decimals) + 1;
  if (units.size() < width) units.insert(0, width - units.size(), '0');
  std::string text = d.negative ? "-" : "";
  text += units.substr(0, units.size() - decimals);
  if (decimals > 0) text += "." + units.substr(units.size() - decimals);
  return text;
}
