#include "app/header.h"

#include <gtest/gtest.h>

#include "tests/app/test_window.h"

namespace {

LONG CellHeight(HWND hwnd, HFONT font) {
  HDC hdc = GetDC(hwnd);
  SelectObject(hdc, font);
  TEXTMETRICA tm{};
  GetTextMetricsA(hdc, &tm);
  ReleaseDC(hwnd, hdc);
  return tm.tmHeight;
}

}  // namespace

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
    EXPECT_EQ(CellHeight(w.hwnd, g_titleFont), c.title);
    EXPECT_EQ(CellHeight(w.hwnd, g_subtitleFont), c.subtitle);
    EXPECT_EQ(CellHeight(w.hwnd, g_textFont), c.text);
    EXPECT_EQ(g_lineHeight >= c.text, true);  // published from the text font
  }
  SetScreenWidthForTesting(0);
}

TEST(Header, TitleIsCentredAndInstructionsStartAtTheMiddle) {
  struct Case {
    int width, height;
  };
  for (Case c : {Case{1000, 700}, Case{999, 700}, Case{1400, 900}, Case{900, 520}}) {
    SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
    TestWindow w;
    LONG textHeight = CellHeight(w.hwnd, g_textFont);
    ResizeClientForTesting(w.hwnd, c.width, c.height);
    PumpMessagesForTesting();
    ASSERT_EQ(g_clientWidth, c.width);
    EXPECT_EQ(CellHeight(w.hwnd, g_textFont), textHeight);  // fonts follow the screen only
    // The title's ink is centred on width / 2; the corner caption lies further right.
    RECT title = w.InkBox(kBlack, {c.width / 2 - 110, 0, c.width / 2 + 110, 30});
    EXPECT_NEAR((title.left + title.right) / 2.0, c.width / 2, 3.0);
    // Each instruction line is red, begins at width / 2 and sits in its row.
    for (int k = 0; k < 4; ++k) {
      int top = (3 * c.height) / 4 + k * g_lineHeight;
      RECT line = w.InkBox(kRed, {0, top, c.width, top + g_lineHeight});
      EXPECT_GE(line.left, c.width / 2);
      EXPECT_LE(line.left, c.width / 2 + 3);
      EXPECT_GT(line.right, line.left + 100);
      EXPECT_LE(line.top, top + g_lineHeight / 2);
    }
    EXPECT_EQ(w.InkBox(kRed, {0, 0, c.width, (3 * c.height) / 4}).left, -1);
  }
}
