#include "dialogs/value_text.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <random>
#include <string>

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

// m x 10^k as the nearest double: the product or quotient of exact operands,
// rounded once.
double TwoDigitValue(int m, int k) {
  double scale = 1.0;
  for (int i = 0; i < std::abs(k); ++i) scale *= 10.0;
  return k >= 0 ? m * scale : m / scale;
}

}  // namespace

TEST(FormatTwoDigits, WritesTheTableOfTheValueFields) {
  struct Case {
    double value;
    const char *text;
  };
  const Case cases[] = {
      {75, "75"},        {35, "35"},         {0.1, "0.1"},        {0.125, "0.13"},
      {1, "1."},         {4.75, "4.8"},      {9.96, "10."},       {12.5, "13"},
      {99.6, "100"},     {100, "1.e+002"},   {123.4, "1.2e+002"}, {400, "4.e+002"},
      {1000, "1.e+003"}, {10000, "1.e+004"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(FormatTwoDigits(c.value), c.text);
  }
}

TEST(FormatTwoDigits, HandlesCarriesTheEdgesOfTheFixedFormAndLongExponents) {
  struct Case {
    double value;
    const char *text;
  };
  const Case cases[] = {
      {0.999, "1."},        // carry inside the fixed form
      {0.0996, "1.e-001"},  // the unrounded exponent chooses the form
      {0.05, "5.e-002"},    {0.0999, "1.e-001"},   {99.4, "99"},      {10, "10"},
      {10.4, "10"},  // no decimal point, so the zero stays
      {0.104, "0.1"},       {0.12, "0.12"},        {0.1249, "0.12"},  // only the third digit rounds
      {9960, "1.e+004"},    {150, "1.5e+002"},     {1e-5, "1.e-005"}, {1.5e-300, "1.5e-300"},
      {1e300, "1.e+300"},   {DBL_MAX, "1.8e+308"}, {0.0, "0."},       {-75, "-75"},
      {-1234, "-1.2e+003"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(FormatTwoDigits(c.value), c.text);
  }
}

TEST(FormatTwoDigits, EveryShownTextReadsBackAsTheValueItShows) {
  for (int k = -12; k <= 12; ++k) {
    for (int m = 10; m <= 99; ++m) {
      double shown = TwoDigitValue(m, k);
      std::string text = FormatTwoDigits(shown);
      SCOPED_TRACE(text);
      EXPECT_EQ(ReadDecimalNumber(text.c_str()), shown);
    }
  }
}

TEST(FormatTwoDigits, AnyValueReadsBackAsItsRoundedTextShowsIt) {
  std::mt19937 random(20240607);
  std::uniform_real_distribution<double> decades(-3.0, 6.0);
  for (int i = 0; i < 5000; ++i) {
    double value = std::pow(10.0, decades(random));
    std::string text = FormatTwoDigits(value);
    SCOPED_TRACE(std::to_string(value) + " " + text);
    double back = ReadDecimalNumber(text.c_str());
    // A shown text is a two-digit value itself, which shows and reads back unchanged.
    EXPECT_EQ(ReadDecimalNumber(FormatTwoDigits(back).c_str()), back);
    EXPECT_LE(std::fabs(back - value), 0.051 * value);
  }
}

TEST(ReadDecimalNumber, ReadsTheLongestDecimalPrefix) {
  struct Case {
    const char *text;
    double value;
  };
  const Case cases[] = {
      {"75", 75},
      {" 42 ohms", 42},
      {" \t\n\v\f\r7", 7},
      {"1,5", 1},
      {"1d3", 1000},
      {"1D3", 1000},
      {"1e3", 1000},
      {"2E-2", 0.02},
      {"+7.5E+1", 75},
      {"-.5", -0.5},
      {".5", 0.5},
      {"5.", 5},
      {"007", 7},
      {"0.1", 0.1},
      {"1.2.3", 1.2},
      {"12e2x", 1200},
      {"1e", 1},
      {"1e+", 1},
      {"1d-", 1},
      {"1e 5", 1},
      {"0.000125e4", 1.25},
      {"1.e+004", 10000},
      {"4.e+002", 400},
      {"1.2e+002", 120},
      {"123456789012345678901234567890", 123456789012345678901234567890.0},
      {"0.30000000000000004", 0.30000000000000004},
      {"1.7976931348623157e308", DBL_MAX},
      {"2.2250738585072014e-308", DBL_MIN},
      {"4.9406564584124654e-324", 4.9406564584124654e-324},
      {"5\xB2", 5},  // a superscript two is not a digit
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ReadDecimalNumber(c.text), c.value);
  }
}

TEST(ReadDecimalNumber, GivesZeroOrAnInfinityForWhatIsNoFiniteNumber) {
  struct Case {
    const char *text;
    double value;
  };
  const Case cases[] = {
      {"", 0},
      {"   ", 0},
      {"\t\r\n", 0},
      {"abc", 0},
      {"inf", 0},
      {"-inf", 0},
      {"nan", 0},
      {"infinity", 0},
      {"0x1A", 0},
      {".", 0},
      {"-", 0},
      {"+", 0},
      {"-.", 0},
      {"--5", 0},
      {"+-5", 0},
      {"e5", 0},
      {"\xE9", 0},                       // a Latin-1 letter
      {"\xC3\xB6l\xC3\xA7\xC3\xBC", 0},  // UTF-8 letters
      {"1e400", kInf},
      {"-1e400", -kInf},
      {"1.8e308", kInf},
      {"1e99999999999999999999", kInf},
      {"1e-400", 0},
      {"1e-99999999999999999999", 0},
      {"0e99999", 0},
      {"2e-324", 0},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ReadDecimalNumber(c.text), c.value);
  }
}

TEST(ReadDecimalNumber, CopesWithTenThousandCharacters) {
  struct Case {
    const char *name;
    std::string text;
    double value;
  };
  const Case cases[] = {
      {"nines", std::string(10000, '9'), kInf},
      {"a long fraction", "0." + std::string(9998, '0') + "1", 0},
      {"zeros before a small number", std::string(9998, '0') + "42", 42},
      {"a one with many zeros and an exponent", "1" + std::string(9990, '0') + "e-9990", 1},
      {"letters", std::string(10000, 'x'), 0},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ReadDecimalNumber(c.text.c_str()), c.value);
  }
}
