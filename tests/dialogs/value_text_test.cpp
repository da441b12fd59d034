#include "dialogs/value_text.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <random>
#include <string>

#include "model/fixed_format.h"

TEST(FormatShortest, WritesTheShortestTextThatReadsBackAsTheValue) {
  struct Case {
    double value;
    const char *text;
  };
  const Case cases[] = {
      {75, "75"},
      {0.1, "0.1"},
      {123.4, "123.4"},
      {10000, "10000"},
      {0.125, "0.125"},
      {1.0 / 3, "0.3333333333333333"},
      {0.0001, "0.0001"},
      {0.00001, "1e-005"},
      {1e16, "10000000000000000"},
      {1e17, "1e+017"},
      {1.5e20, "1.5e+020"},
      {-1234, "-1234"},
      {0.0, "0"},
      {9.999999999999999, "9.999999999999998"},
      {5e-324, "5e-324"},
      {1.7976931348623157e308, "1.7976931348623157e+308"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(FormatShortest(c.value), c.text);
  }
}

// Whatever the value, typed with a few decimals or of any binary expansion,
// its text reads back as exactly it: a field left as it was changes nothing.
TEST(FormatShortest, TheTextReadsBackAsTheValue) {
  std::mt19937_64 random(20261208);
  std::uniform_real_distribution<double> ohms(0.1, 10000.0);
  for (int i = 0; i < 5000; ++i) {
    const double scale = std::pow(10.0, i % 5);
    const double value = i % 2 ? ohms(random) : std::round(ohms(random) * scale) / scale;
    const std::string text = FormatShortest(value);
    SCOPED_TRACE(text);
    EXPECT_EQ(ReadDecimalNumber(text.c_str()), value);
    EXPECT_LE(text.size(), 18u);
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

// In a language with its own decimal sign and digits the fields show them,
// read them and still read the point and 0 to 9, and the readouts write them.
TEST(LanguageNumbers, AreWrittenAndReadBesidesThePointAndTheWesternDigits) {
  struct Case {
    const char *sign, *digits;
    double value;
    const char *shown, *fixed, *typedWestern;
  };
  constexpr const char *kWestern = "0123456789";
  constexpr const char *kPersian = "۰۱۲۳۴۵۶۷۸۹";
  const Case cases[] = {
      {",", kWestern, 123.4, "123,4", "123,40", "123.4"},
      {",", kWestern, 0.1, "0,1", "0,10", "0.1"},
      {",", kWestern, 1.5e20, "1,5e+020", "150000000000000000000,00", "1.5e20"},
      {"٫", kWestern, 9960.5, "9960٫5", "9960٫50", "9960.5"},
      {"", "", 123.4, "123.4", "123.40", "123.4"},  // nothing set is the point and 0 to 9
      {"٫", kPersian, 9960.5, "۹۹۶۰٫۵",
       "۹۹۶۰٫۵۰", "9960.5"},
      {"٫", kPersian, 1.5e20, "۱٫۵e+۰۲۰",
       "۱۵۰۰۰۰۰۰۰۰۰۰۰۰۰"
       "۰۰۰۰۰۰٫۰۰",
       "1.5e20"},
      {"٫", "012345678", 75, "75", "75٫00", "75"},  // nine digits are no set
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.shown);
    SetDecimalSign(c.sign);
    SetDigits(c.digits);
    EXPECT_EQ(FormatShortest(c.value), c.shown);
    EXPECT_EQ(FormatFixed(c.value, 2), c.fixed);
    EXPECT_EQ(ReadDecimalNumber(c.shown), c.value);
    EXPECT_EQ(ReadDecimalNumber(c.typedWestern), c.value);
    SetDigits(kWestern);
  }
  SetDecimalSign(".");
  EXPECT_EQ(ReadDecimalNumber("1,5"), 1);
  // Arabic-Indic and Persian digits read in any language; a format's counts too.
  EXPECT_EQ(ReadDecimalNumber("١٢٣.۴"), 123.4);
  SetDigits(kPersian);
  char z[32];
  EXPECT_STREQ((FormatText(z, sizeof z, "Z%d = %.1f", 12, -0.25), z),
               "Z۱۲ = -۰.۳");
  SetDigits(kWestern);
}
