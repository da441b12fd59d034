#include <gtest/gtest.h>

#include <cmath>
#include <utility>

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

// Right-aligned at x 500 over black, at every scale: the white box ends at
// x 500 scaled, and the red ink lies inside it, to the CJK character at its
// end (an em of 14 pixels, its middle stroke from top to bottom).
TEST(ScaledDrawing, ATextStandsInTheDevicePixelsOfTheBoxTheProgramMeasured) {
  for (double scale : {1.0, 1.25, 1.5, 2.0}) {
    SCOPED_TRACE(scale);
    Sheet s(kWidth, kHeight, scale);
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
