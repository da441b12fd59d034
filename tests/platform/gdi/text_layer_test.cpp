#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/state.h"
#include "display/pens_fonts.h"
#include "platform/gdi/reading.h"
#include "platform/headless/testing.h"
#include "platform/user/window.h"
#include "tests/app/test_window.h"
#include "tests/platform/gdi/sheet.h"

// Read block by block: the title and the subtitle centred, the attribution
// right-aligned, the rest left-aligned, the key instructions after the
// source's lines beside them; each box where the text was put, as high as its font's cell.
TEST(TextLayer, StartScreenShowsItsTextsInReadingOrder) {
  TestWindow w;
  const TEXTMETRICA title = w.Metrics(g_titleFont);
  const int lh = g_lineHeight, attributionX = 1000 - 2 * g_charWidth;
  const int titleLine = title.tmHeight + title.tmExternalLeading;
  enum Align { kLeft, kCentre, kRight };
  struct Case {
    const char *text;
    Align align;
    int x, y, cellHeight;
    COLORREF color;
  };
  const Case cases[] = {
      {"Ondulane", kCentre, 500, 0, 40, kBlack},
      {"Interaction between source and load", kCentre, 500, titleLine, 22, kBlack},
      {"Ondulane", kRight, attributionX, 0, 15, kBlack},
      {"A teaching aid", kRight, attributionX, lh, 15, kBlack},
      {"75.0 ohms  ", kLeft, 770, 205, 15, kBlack},
      {"50-ohm transmission line", kLeft, 500, 350, 15, kBlack},
      {"35.0 ohms ", kLeft, 142, 525 - 4 * lh, 15, kBlack},
      {"VSWR = 1.43 ", kLeft, 142, 525 - 3 * lh, 15, kBlack},
      {"Rho = 0.176 ", kLeft, 142, 525 - 2 * lh, 15, kBlack},
      {"Output set to 1V", kLeft, 166, 525, 15, kBlack},
      {"across a 50-ohm load", kLeft, 166, 525 + lh, 15, kBlack},
      {"(+13 dBm)", kLeft, 166, 525 + 2 * lh, 15, kBlack},
      {"(EMF = 1.70V)  ", kLeft, 166, 525 + 3 * lh, 15, kBlack},
      {"Press ENTER to start/pause/resume program", kLeft, 500, 525, 15, kRed},
      {"Press F1 to reset program", kLeft, 500, 525 + lh, 15, kRed},
      {"Press F2 to enter new load and/or source value(s)", kLeft, 500, 525 + 2 * lh, 15, kRed},
      {"Press F3 for supporting text", kLeft, 500, 525 + 3 * lh, 15, kRed},
  };
  const Surface &s = w.hwnd->surface;
  static Reading r;
  ReadTexts(s, r);
  const ShownText *const *order = r.texts;
  ASSERT_EQ(r.count, int(std::size(cases)));
  for (int i = 0; i < int(std::size(cases)); ++i) {
    const Case &c = cases[i];
    const ShownText &t = *order[i];
    SCOPED_TRACE(c.text);
    EXPECT_EQ(t.Text(), c.text);
    const int anchor = c.align == kLeft    ? t.box.left
                       : c.align == kRight ? t.box.right
                                           : t.box.left + t.box.Width() / 2;
    EXPECT_EQ(anchor, c.x);
    EXPECT_EQ(t.box.top, c.y);
    EXPECT_EQ(t.box.Height(), c.cellHeight);
    EXPECT_EQ(t.cellHeight, c.cellHeight);
    EXPECT_TRUE(t.bold);
    EXPECT_EQ(t.color, c.color);
  }
}

// The program lays out in 100% pixels at every scale, and so do the texts.
TEST(TextLayer, TextsKeepTheirLogicalBoxesOnEveryScale) {
  auto layout = [](double scale) {
    SetScaleForTesting(scale);
    TestWindow w;
    SetScaleForTesting(1.0);
    std::vector<std::pair<std::string, Rect>> texts;
    for (int i = 0; i < w.hwnd->surface.texts.count; ++i) {
      const ShownText &t = w.hwnd->surface.texts.texts[i];
      texts.emplace_back(t.Text(), t.box);
    }
    return texts;
  };
  const auto atFull = layout(1.0);
  ASSERT_FALSE(atFull.empty());
  for (double scale : {1.25, 1.5, 2.0}) {
    SCOPED_TRACE(testing::Message() << "at " << scale);
    EXPECT_EQ(layout(scale), atFull);
  }
}

// An opaque text or an ellipse takes away the texts it paints over more than
// half of; a transparent text takes none away.
TEST(TextLayer, WhatAPaintingCoversGoes) {
  Sheet sheet;
  const int digit = sheet.Width("0"), word = sheet.Width("0000");
  ASSERT_EQ(word, 4 * digit);
  const auto put = [](int x, int y, const char *text, bool opaque = true) {
    return [=](Sheet &s) { s.Text(x, y, text, opaque); };
  };
  const auto ellipse = [](int x, int y) {  // 80 across
    return [=](Sheet &s) { Ellipse(s.dc, x, y, x + 80, y + 80); };
  };
  struct Case {
    const char *what;
    const char *old;  // drawn at (100, 100)
    bool oldOpaque;
    std::function<void(Sheet &)> then;
    std::vector<std::string> shown;
  };
  const Case cases[] = {
      {"another value in place", "1.000V", true, put(100, 100, "1.111V"), {"1.111V"}},
      {"a longer one", "1.000V", true, put(100 - digit, 100, "10.000V"), {"10.000V"}},
      {"a shorter one", "10.000V", true, put(100 + digit, 100, "1.000V"), {"1.000V"}},
      {"the same again", "0000", true, put(100, 100, "0000"), {"0000"}},
      {"half across: stays", "0000", true, put(100 + word / 2, 100, "0000"), {"0000", "0000"}},
      {"a column more: goes", "0000", true, put(99 + word / 2, 100, "0000"), {"0000"}},
      {"half down: stays", "0000", true, put(100, 108, "0000"), {"0000", "0000"}},
      {"a row more: goes", "0000", true, put(100, 107, "0000"), {"0000"}},
      {"a short one inside", "F1 to reset", true, put(110, 100, "F2"), {"F1 to reset", "F2"}},
      {"transparent over", "1.000V", true, put(100, 100, "1.111V", false), {"1.000V", "1.111V"}},
      {"over a transparent", "1.000V", false, put(100, 100, "1.111V"), {"1.111V"}},
      {"an ellipse round it", "0000", true, ellipse(78, 68), {}},
      {"an ellipse on its corner", "0000", true, ellipse(40, 40), {"0000"}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    FillSurface(sheet.surface, kWhite);
    sheet.Text(100, 100, c.old, c.oldOpaque);
    c.then(sheet);
    std::vector<std::string> shown;
    for (int i = 0; i < sheet.surface.texts.count; ++i)
      shown.emplace_back(sheet.surface.texts.texts[i].Text());
    EXPECT_EQ(shown, c.shown);
  }
}
// Texts put on a grid, none over another: the newest kMaxTexts stay, in the
// order drawn.
TEST(TextLayer, KeepsTheNewestWhenFull) {
  Sheet sheet;
  const int drawn = kMaxTexts + 2;
  for (int i = 0; i < drawn; ++i) sheet.Text(i % 8 * 50, i / 8 * 16, std::to_string(i));
  const TextLayer &layer = sheet.surface.texts;
  ASSERT_EQ(layer.count, kMaxTexts);
  for (int i = 0; i < kMaxTexts; ++i) EXPECT_EQ(layer.texts[i].Text(), std::to_string(i + 2));
}
