#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

#include "tests/platform/gdi/sheet.h"

// The pixels GDI covers, on a sheet as large as the window: a 2-pixel line
// reaches a pixel up and left of both ends with its round dots, and is two
// or three pixels thick across when slanted; a 1-pixel line leaves its end
// point out.
TEST(Drawing, PrimitivesCoverThePixelsGdiCovers) {
  enum Kind { kLine, kArc, kEllipse };
  struct Case {
    const char *what;
    Kind kind;
    int pen;
    COLORREF color;
    RECT figure;  // a line's ends, or the box of an arc or an ellipse
    int column;   // where to look for the ink: that column, or (0) 10 pixels round the figure
    RECT ink;     // its box, right and bottom inclusive
  };
  const Case cases[] = {
      {"thin level", kLine, 1, kBlack, {100, 650, 200, 650}, 0, {100, 650, 199, 650}},
      {"thin slant", kLine, 1, kBlack, {850, 200, 950, 250}, 900, {900, 225, 900, 225}},
      {"level", kLine, 2, kRed, {100, 200, 300, 200}, 0, {99, 199, 300, 200}},
      {"upright", kLine, 2, kRed, {500, 100, 500, 300}, 0, {499, 99, 500, 300}},
      {"no length: the dot", kLine, 2, kRed, {700, 600, 700, 600}, 0, {699, 599, 700, 600}},
      {"the scene's line", kLine, 2, kRed, {120, 454, 750, 175}, 400, {400, 329, 400, 331}},
      {"slant", kLine, 2, kBlack, {850, 100, 950, 150}, 900, {900, 124, 900, 126}},
      {"upper half", kArc, 2, kBlack, {300, 440, 500, 640}, 0, {299, 439, 499, 539}},
      {"circle", kEllipse, 2, kBlack, {800, 500, 840, 540}, 0, {799, 499, 839, 539}},
      {"narrow ellipse, whole", kEllipse, 1, kBlack, {600, 500, 604, 520}, 0, {600, 500, 603, 519}},
      {"two pixels wide", kEllipse, 1, kBlack, {640, 500, 642, 510}, 0, {640, 500, 641, 509}},
  };
  Sheet s(1000, 700);
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    s.Pen(c.color, c.pen);
    const RECT &f = c.figure;
    if (c.kind == kLine) s.Line(f.left, f.top, f.right, f.bottom);
    // Counterclockwise from the ray towards +x to the ray towards -x.
    if (c.kind == kArc)
      Arc(s.dc, f.left, f.top, f.right, f.bottom, 2000, (f.top + f.bottom) / 2, 0,
          (f.top + f.bottom) / 2);
    if (c.kind == kEllipse) {
      const int cx = (f.left + f.right) / 2, cy = (f.top + f.bottom) / 2;
      SetPixel(s.dc, cx, cy, kRed);
      Ellipse(s.dc, f.left, f.top, f.right, f.bottom);
      if (f.right - f.left > 2 * c.pen + 1) {
        EXPECT_EQ(GetPixel(s.dc, cx, cy), kWhite);  // the white brush inside
      }
    }
    const int top = std::min(f.top, f.bottom) - 10, bottom = std::max(f.top, f.bottom) + 10;
    const RECT area = c.column ? RECT{c.column, top, c.column + 1, bottom}
                               : RECT{f.left - 10, top, f.right + 10, bottom};
    EXPECT_EQ(InkBox(s.dc, c.color, area), c.ink);
  }
  POINT p;
  GetCurrentPositionEx(s.dc, &p);
  EXPECT_EQ(p, (POINT{950, 150}));
  // Far outside the client area, to the ends of int: clipped, the visible
  // part drawn.
  const struct {
    int pen, x0, y0, x1, y1, x, y;
  } far[] = {
      {2, -100000, -100000, 100000, 100000, 650, 650},
      {2, INT_MIN, INT_MIN, INT_MAX, INT_MAX, 450, 450},
      {2, INT_MAX, 300, INT_MIN, 300, 20, 300},
      {1, -2000000000, 660, 2000000000, 660, 500, 660},
      {1, 30, INT_MIN, 30, INT_MAX, 30, 420},
  };
  for (const auto &f : far) {
    SCOPED_TRACE(testing::Message() << "through " << f.x << ", " << f.y);
    s.Pen(f.pen == 1 ? kBlack : kRed, f.pen);
    s.Line(f.x0, f.y0, f.x1, f.y1);
    EXPECT_EQ(GetPixel(s.dc, f.x, f.y), f.pen == 1 ? kBlack : kRed);
  }
  EXPECT_EQ(SetPixel(s.dc, -1, 5, kRed), COLORREF(-1));
}

// Each glyph advances by its own width, as on the platform: a readout that
// changes digits keeps its width, and its box covers the one before it; a
// transparent text has no box.
TEST(Drawing, ANewReadoutCoversTheOldOneInEveryTextFont) {
  for (int height : {17, 15, 12}) {
    SCOPED_TRACE(height);
    Sheet s;
    LOGFONTA lf{};
    lf.lfHeight = height;
    std::strcpy(lf.lfFaceName, "Arial Bold");
    s.Select(CreateFontIndirectA(&lf));
    SetTextAlign(s.dc, TA_RIGHT | TA_TOP);
    const auto draw = [&](const char *text, int mode = OPAQUE) {
      SetBkMode(s.dc, mode);
      TextOutA(s.dc, 100, 100, text, 6);
      return s.pixels;
    };
    const std::vector<std::uint32_t> alone = draw("1.111V");
    FillSurface(s.surface, kWhite);
    draw("1.000V");
    EXPECT_TRUE(draw("1.111V") == alone);                   // nothing of "1.000V" is left
    const auto boxLeft = [&](const char *text, int mode) {  // the white box, over black
      FillSurface(s.surface, kBlack);
      draw(text, mode);
      return InkBox(s.dc, kWhite, {0, 100, 200, 100 + height}).left;
    };
    EXPECT_EQ(boxLeft("1.111V", OPAQUE), boxLeft("1.000V", OPAQUE));
    EXPECT_GT(boxLeft("1.000V", OPAQUE), 0);
    EXPECT_EQ(boxLeft("1.000V", TRANSPARENT), -1);
  }
}
