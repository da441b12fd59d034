#include "dialogs/value_text.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <random>
#include <string>

TEST(FormatTwoDigits, WritesTwoSignificantDigitsInTheFixedOrTheExponentForm) {
  struct Case {
    double value;
    const char *text;
  };
  const Case cases[] = {
      {75, "75"},        {35, "35"},         {0.1, "0.1"},        {0.125, "0.13"},
      {1, "1."},         {4.75, "4.8"},      {9.96, "10."},       {12.5, "13"},
      {99.6, "100"},     {100, "1.e+002"},   {123.4, "1.2e+002"}, {400, "4.e+002"},
      {1000, "1.e+003"}, {10000, "1.e+004"}, {0.999, "1."},       {0.0996, "1.e-001"},
      {10.4, "10"},      {0.1249, "0.12"},   {9960, "1.e+004"},   {-1234, "-1.2e+003"},
      {0.0, "0."},       {0.05, "5.e-002"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(FormatTwoDigits(c.value), c.text);
  }
}

// Any value within a rounding step of m x 10^k shows as the text of m x 10^k,
// and that text reads back as exactly that double.
TEST(FormatTwoDigits, TheShownTextReadsBackAsTheValueItShows) {
  std::mt19937 random(20240607);
  std::uniform_real_distribution<double> near(0.999, 1.004);
  for (int i = 0; i < 5000; ++i) {
    int m = 10 + int(random() % 90), k = int(random() % 25) - 12;
    double shown = k >= 0 ? m * std::pow(10.0, k) : m / std::pow(10.0, -k);
    double value = shown * near(random);
    std::string text = FormatTwoDigits(value);
    SCOPED_TRACE(std::to_string(value) + " " + text);
    EXPECT_EQ(ReadDecimalNumber(text.c_str()), shown);
  }
}

TEST(ReadDecimalNumber, ReadsTheLongestDecimalPrefixOrElseZero) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  struct Case {
    std::string text;
    double value;
  };
  const std::string max = "1.7976931348623157e308", least = "4.9406564584124654e-324",
                    huge = "1e99999999999999999999", nines(10000, '9'),
                    tiny = "0." + std::string(9998, '0') + "1",
                    one = "1" + std::string(9990, '0') + "e-9990";
  const Case cases[] = {
      {"75", 75},      {" \t\n\v\f\r7", 7}, {" 42 ohms", 42}, {"1,5", 1},       {"1d3", 1000},
      {"1D3", 1000},   {"+7.5E+1", 75},     {"-.5", -0.5},    {"5.", 5},        {"1.2.3", 1.2},
      {"1e", 1},       {"1e+", 1},          {"1e 5", 1},      {"5\xB2", 5},     {"1.e+004", 10000},
      {"1e400", kInf}, {"-1e400", -kInf},   {"1e-400", 0},    {huge, kInf},     {max, DBL_MAX},
      {least, 5e-324}, {nines, kInf},       {tiny, 0},        {one, 1},         {"", 0},
      {"   ", 0},      {"\t\r\n", 0},       {"0x1A", 0},      {"inf", 0},       {"-inf", 0},
      {"nan", 0},      {"infinity", 0},     {".", 0},         {"-.", 0},        {"--5", 0},
      {"+-5", 0},      {"e5", 0},           {"\xE9", 0},      {"\xC3\xB6l", 0},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.text.substr(0, 40));
    EXPECT_EQ(ReadDecimalNumber(c.text.c_str()), c.value);
  }
}
