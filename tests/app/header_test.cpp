#include "app/header.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/app/test_window.h"

TEST(Header, FontSizesFollowTheScreenWidthAndMatchTheirCellHeight) {
  struct Case {
    int screenWidth;
    LONG title, subtitle, text;
  };
  const Case cases[] = {
      {1920, 50, 30, 17}, {1001, 50, 30, 17}, {1000, 40, 22, 15},
      {701, 40, 22, 15},  {700, 35, 17, 12},  {640, 35, 17, 12},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.screenWidth);
    SetScreenWidthForTesting(c.screenWidth);
    TestWindow w;
    EXPECT_EQ(w.Metrics(g_titleFont).tmHeight, c.title);
    EXPECT_EQ(w.Metrics(g_subtitleFont).tmHeight, c.subtitle);
    EXPECT_EQ(w.Metrics(g_textFont).tmHeight, c.text);
    EXPECT_EQ(g_lineHeight >= c.text, true);  // published from the text font
  }
  SetScreenWidthForTesting(0);
}

// A wide screen draws the title 50 pixels high: at every window size it is
// centred and whole, the attribution beside it down to 640 pixels wide, and
// each instruction line is red, begins at the middle and sits in its row.
TEST(Header, TitleIsCentredAndWholeAndInstructionsStartAtTheMiddle) {
  SetScreenWidthForTesting(1920);
  TestWindow w;
  SetScreenWidthForTesting(0);
  const LONG textHeight = w.Metrics(g_textFont).tmHeight;
  std::vector<COLORREF> whole;
  for (POINT size : {POINT{1600, 480}, POINT{1400, 900}, POINT{1000, 700}, POINT{999, 700},
                     POINT{900, 520}, POINT{700, 480}, POINT{640, 480}}) {
    SCOPED_TRACE(size);
    const int width = size.x, height = size.y;
    ResizeClientForTesting(w.hwnd, width, height);
    PumpMessagesForTesting();
    ASSERT_EQ(g_clientWidth, width);
    EXPECT_EQ(w.Metrics(g_textFont).tmHeight, textHeight);  // fonts follow the screen only
    std::vector<COLORREF> title;
    for (int y = 0; y < 50; ++y)
      for (int x = width / 2 - 150; x < width / 2 + 150; ++x) title.push_back(w.Pixel(x, y));
    if (whole.empty()) whole = title;
    EXPECT_TRUE(title == whole);
    const RECT ink = w.InkBox(kBlack, {width / 2 - 150, 0, width / 2 + 150, 50});
    EXPECT_NEAR((ink.left + ink.right) / 2.0, width / 2, 3.0);
    for (int k = 0; k < 4; ++k) {
      const int top = (3 * height) / 4 + k * g_lineHeight;
      const RECT line = w.InkBox(kRed, {0, top, width, top + g_lineHeight});
      EXPECT_GE(line.left, width / 2);
      EXPECT_LE(line.left, width / 2 + 3);
      EXPECT_GT(line.right, line.left + 100);
      EXPECT_LE(line.top, top + g_lineHeight / 2);
    }
    EXPECT_EQ(w.InkBox(kRed, {0, 0, width, (3 * height) / 4}).left, -1);
  }
}
