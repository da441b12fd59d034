// The real window, painted at 1000 by 700, for drawing the schematic and the
// frames straight onto it with text cells 8 by 16.
#pragma once

#include "display/trace_frame.h"
#include "platform/headless/testing.h"
#include "tests/app/test_window.h"

class Screen : public ::testing::Test {
 protected:
  ~Screen() override { Erase(); }

  HDC Dc() { return dc_ ? dc_ : (dc_ = GetDC(window.hwnd)); }
  // White all over; lets go of the drawing context.
  void Erase() {
    if (dc_) ReleaseDC(window.hwnd, dc_);
    dc_ = nullptr;
    FillScreenForTesting(window.hwnd, kWhite);
  }
  COLORREF Pixel(int x, int y) { return GetPixel(Dc(), x, y); }
  // Pixels of the colour in the rectangle, right and bottom excluded.
  int Count(COLORREF colour, int left, int top, int right, int bottom) {
    int n = 0;
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x) n += Pixel(x, y) == colour;
    return n;
  }
  // Over this black patch a text's white box shows where its corner is.
  void BlackenAround(POINT p) {
    for (int y = p.y - 4; y < p.y + 4; ++y)
      for (int x = p.x - 4; x < p.x + 4; ++x) SetPixel(Dc(), x, y, kBlack);
  }
  // p is the top left pixel of a box, or just right of the top right one.
  void ExpectBoxCorner(POINT p, bool rightAligned = false) {
    SCOPED_TRACE(testing::Message() << "text box at " << p);
    const int in = rightAligned ? p.x - 1 : p.x, out = rightAligned ? p.x : p.x - 1;
    EXPECT_EQ(Pixel(in, p.y), kWhite);
    EXPECT_EQ(Pixel(out, p.y), kBlack);
    EXPECT_EQ(Pixel(in, p.y - 1), kBlack);
  }

  void Frame(int phase) { DrawTraceFrame(Dc(), 1000, 700, phase, g_loadOhms, 8, 16); }
  // Each frame before `phase` once, which leaves the marks and amplitudes as
  // that frame finds them; then a white screen.
  void RunUpTo(int phase) {
    for (int p = 0; p < phase; p += kPhaseStep) Frame(p);
    Erase();
  }

  TestWindow window;
  HDC dc_ = nullptr;  // taken by Dc(), let go by Erase()
};
