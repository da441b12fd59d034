#include "model/fixed_format.h"

#include <gtest/gtest.h>

TEST(FixedFormat, RoundsTheSeventeenDigitExpansionHalfUp) {
  struct Case {
    double value;
    int decimals;
    const char *text;
  };
  const Case cases[] = {
      {0.125, 2, "0.13"},     // exact tie goes up, unlike printf
      {0.0625, 3, "0.063"},   // exact tie
      {2.675, 2, "2.67"},     // 2.6749999999999998
      {1.005, 2, "1.00"},     // 1.0049999999999999
      {0.0, 3, "0.000"},      //
      {9.9996, 3, "10.000"},  // carry into a new digit
      {99.95, 1, "100.0"},    // 99.950000000000003
      {0.0004, 3, "0.000"},   // below the last decimal
      {0.0005, 3, "0.001"},   // rounds up from beyond it
      {75.0, 1, "75.0"},      //
      {46.153846153846153, 1, "46.2"},
      {12.532, 3, "12.532"},
      {-3.14159, 2, "-3.14"},
      {-0.125, 2, "-0.13"},  // ties go away from zero
      {1e20, 1, "100000000000000000000.0"},
      {123456.0, 0, "123456"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(testing::Message() << c.value << " with " << c.decimals);
    EXPECT_EQ(FormatFixed(c.value, c.decimals), c.text);
  }
}

TEST(FixedFormat, FormatsIntoABoundedBufferAndReturnsTheCountWritten) {
  char text[64];
  EXPECT_EQ(FormatText(text, sizeof text, "Z%d = %.1f - j%.1f ohms", 1, 46.153846153846153, 19.25),
            22);
  EXPECT_STREQ(text, "Z1 = 46.2 - j19.3 ohms");
  EXPECT_EQ(FormatText(text, sizeof text, "%.3fV%%", 0.9647058823529412), 7);
  EXPECT_STREQ(text, "0.965V%");
  char small[5];  // what does not fit is left off, never written past the end
  EXPECT_EQ(FormatText(small, sizeof small, "%.3f dBm  ", 12.532), 4);
  EXPECT_STREQ(small, "12.5");
  EXPECT_EQ(FormatFixed(small, sizeof small, -0.125, 2), 4);
  EXPECT_STREQ(small, "-0.1");
}
