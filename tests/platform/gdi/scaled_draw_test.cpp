#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "tests/platform/gdi/sheet.h"

namespace {

constexpr int kWidth = 1600, kHeight = 1200;  // device pixels

int Device(const Sheet &s, int v) { return int(std::lround(v * s.surface.scale)); }

// The device columns left of `end` holding a pixel of `color` in device row
// y, [first, last].
std::pair<int, int> Columns(const Sheet &s, COLORREF color, int y, int end = kWidth) {
  std::pair<int, int> found{-1, -1};
  const std::uint32_t want =
      0xff000000u | GetRValue(color) << 16 | GetGValue(color) << 8 | GetBValue(color);
  for (int x = 0; x < end; ++x)
    if (s.pixels[std::size_t(y) * kWidth + std::size_t(x)] == want) {
      if (found.first < 0) found.first = x;
      found.second = x;
    }
  return found;
}

}  // namespace

// At every scale the inverting mix drawn twice restores every device pixel,
// of lines reaching past the surface, arcs and whole outlines as two half
// arcs; and a text stands in the device pixels of the box the program
// measured.
TEST(ScaledDrawing, EveryScaleKeepsTheMixAndTheMeasuredText) {
  for (double scale : {1.0, 1.25, 1.5, 2.0}) {
    SCOPED_TRACE(scale);
    Sheet s(kWidth, kHeight, scale);
    std::mt19937 rng(11);
    auto any = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    std::vector<HPEN> pens;
    for (int i = 0; i < 60; ++i)
      pens.push_back(CreatePen(PS_SOLID, any(1, 3), COLORREF(any(0, 0xFFFFFF))));
    const std::vector<std::uint32_t> before = s.pixels;
    SetROP2(s.dc, R2_NOTXORPEN);
    for (int pass = 0; pass < 2; ++pass) {
      std::mt19937 figures(5);
      auto at = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(figures); };
      for (HPEN pen : pens) {
        SelectObject(s.dc, pen);
        s.Line(at(-300, 1700), at(-300, 1300), at(-300, 1700), at(-300, 1300));
        const int x = at(0, 800), y = at(0, 600), w = at(3, 90), h = at(3, 90);
        Arc(s.dc, x, y, x + w, y + h, at(0, 900), at(0, 700), at(0, 900), at(0, 700));
        Arc(s.dc, x, y, x + w, y + h, 9999, y + h / 2, -9999, y + h / 2);
        Arc(s.dc, x, y, x + w, y + h, -9999, y + h / 2, 9999, y + h / 2);
      }
      if (pass == 0) {
        EXPECT_NE(s.pixels, before);
      }
    }
    EXPECT_TRUE(s.pixels == before);
    for (HPEN pen : pens) DeleteObject(pen);

    // Right-aligned at x 500 over black: the white box ends at x 500 scaled,
    // and the red ink lies inside it, to the CJK character at its end (an
    // em of 14 pixels, its middle stroke from top to bottom).
    for (int y = 300; y < 320; ++y)
      for (int x = 350; x < 520; ++x) SetPixel(s.dc, x, y, RGB(0, 0, 0));
    SetTextColor(s.dc, RGB(255, 0, 0));
    s.Text(500, 300, "Rho = 0.200 日本", true, TA_RIGHT);
    const int row = Device(s, 305);
    const auto ink = Columns(s, RGB(255, 0, 0), row);
    EXPECT_GT(ink.first, Device(s, 380));
    EXPECT_GT(ink.second, Device(s, 486));
    EXPECT_LT(ink.second, Device(s, 500));
    EXPECT_EQ(Columns(s, RGB(255, 255, 255), row, Device(s, 520)).second, Device(s, 500) - 1);
    EXPECT_EQ(GetPixel(s.dc, 500, 305), RGB(0, 0, 0));
  }
}
