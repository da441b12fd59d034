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

// The first and last columns in [x0, x1) holding a pixel of `color` in rows [top, bottom).
std::pair<int, int> ColumnsOf(const TestWindow &w, COLORREF color, int top, int bottom, int x0,
                              int x1) {
  int first = -1, last = -1;
  HDC hdc = GetDC(w.hwnd);
  for (int x = x0; x < x1; ++x)
    for (int y = top; y < bottom; ++y)
      if (GetPixel(hdc, x, y) == color) {
        if (first < 0) first = x;
        last = x;
      }
  ReleaseDC(w.hwnd, hdc);
  return {first, last};
}

int FirstRowOf(const TestWindow &w, COLORREF color, int x0, int x1, int top, int bottom) {
  HDC hdc = GetDC(w.hwnd);
  int row = -1;
  for (int y = top; y < bottom && row < 0; ++y)
    for (int x = x0; x < x1; ++x)
      if (GetPixel(hdc, x, y) == color) row = y;
  ReleaseDC(w.hwnd, hdc);
  return row;
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
    // The title's ink is centred on width / 2 (within the glyphs' own asymmetry).
    // The corner caption lies further right.
    auto [left, right] = ColumnsOf(w, kBlack, 0, 30, c.width / 2 - 110, c.width / 2 + 110);
    EXPECT_NEAR((left + right) / 2.0, c.width / 2, 3.0);
    // Each instruction line is red, begins at width / 2 and sits in its row.
    for (int k = 0; k < 4; ++k) {
      int top = (3 * c.height) / 4 + k * g_lineHeight;
      auto [first, last] = ColumnsOf(w, kRed, top, top + g_lineHeight, 0, c.width);
      EXPECT_GE(first, c.width / 2);
      EXPECT_LE(first, c.width / 2 + 3);
      EXPECT_GT(last, first + 100);
      int row = FirstRowOf(w, kRed, c.width / 2, c.width, top, top + g_lineHeight);
      EXPECT_GE(row, top);
      EXPECT_LE(row, top + g_lineHeight / 2);
    }
    EXPECT_EQ(CellHeight(w.hwnd, g_textFont), textHeight);  // fonts follow the screen only
    // Nothing red above the instructions.
    EXPECT_EQ(ColumnsOf(w, kRed, 0, (3 * c.height) / 4, 0, c.width).first, -1);
  }
}
