#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "platform/gdi/surface.h"

namespace {

// A surface of its own, off any window, at a scale.
struct Scaled {
  explicit Scaled(double scale) : pixels(std::size_t(kWidth) * kHeight, 0xffffffffu) {
    AttachPixels(surface, pixels.data(), kWidth, kHeight, kWidth, scale);
    hdc = OpenContext(surface);
  }
  ~Scaled() { CloseContext(hdc); }
  int Device(int v) const { return int(std::lround(v * surface.scale)); }
  // The device columns left of `end` holding a pixel of `color` in device
  // row y, [first, last].
  std::pair<int, int> Columns(COLORREF color, int y, int end = kWidth) const {
    std::pair<int, int> found{-1, -1};
    const std::uint32_t want =
        0xff000000u | GetRValue(color) << 16 | GetGValue(color) << 8 | GetBValue(color);
    for (int x = 0; x < end; ++x)
      if (pixels[std::size_t(y) * kWidth + x] == want) {
        if (found.first < 0) found.first = x;
        found.second = x;
      }
    return found;
  }

  static constexpr int kWidth = 1600, kHeight = 1200;
  Surface surface;
  std::vector<std::uint32_t> pixels;
  HDC hdc;
};

}  // namespace

// At every scale the inverting mix drawn twice restores every device pixel,
// and a text stands in the device pixels of the box the program measured.
TEST(ScaledDrawing, EveryScaleKeepsTheMixAndTheMeasuredText) {
  for (double scale : {1.25, 1.5, 2.0}) {
    SCOPED_TRACE(scale);
    Scaled s(scale);
    std::mt19937 rng(11);
    auto any = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    std::vector<HPEN> pens;
    for (int i = 0; i < 40; ++i)
      pens.push_back(CreatePen(PS_SOLID, any(1, 3), COLORREF(any(0, 0xFFFFFF))));
    const std::vector<std::uint32_t> before = s.pixels;
    SetROP2(s.hdc, R2_NOTXORPEN);
    for (int pass = 0; pass < 2; ++pass) {
      std::mt19937 figures(5);
      auto at = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(figures); };
      for (HPEN pen : pens) {
        SelectObject(s.hdc, pen);
        MoveToEx(s.hdc, at(-100, 900), at(-100, 700), nullptr);
        LineTo(s.hdc, at(-100, 900), at(-100, 700));
        const int x = at(0, 800), y = at(0, 600);
        Arc(s.hdc, x, y, x + at(3, 90), y + at(3, 90), at(0, 900), at(0, 700), at(0, 900),
            at(0, 700));
      }
      if (pass == 0) {
        EXPECT_NE(s.pixels, before);
      }
    }
    EXPECT_EQ(s.pixels, before);
    for (HPEN pen : pens) DeleteObject(pen);

    // Right-aligned at x 500 over black: the white box ends at x 500 scaled,
    // and the red ink lies inside it, to the CJK character at its end (an
    // em of 14 pixels, its middle stroke from top to bottom).
    for (int y = 300; y < 320; ++y)
      for (int x = 350; x < 520; ++x) SetPixel(s.hdc, x, y, RGB(0, 0, 0));
    SetTextColor(s.hdc, RGB(255, 0, 0));
    SetTextAlign(s.hdc, TA_RIGHT | TA_TOP);
    const std::string text = "Rho = 0.200 日本";
    TextOutA(s.hdc, 500, 300, text.data(), int(text.size()));
    const int row = s.Device(305);
    const auto ink = s.Columns(RGB(255, 0, 0), row);
    EXPECT_GT(ink.first, s.Device(380));
    EXPECT_GT(ink.second, s.Device(486));
    EXPECT_LT(ink.second, s.Device(500));
    EXPECT_EQ(s.Columns(RGB(255, 255, 255), row, s.Device(520)).second, s.Device(500) - 1);
    EXPECT_EQ(GetPixel(s.hdc, 500, 305), RGB(0, 0, 0));
  }
}
