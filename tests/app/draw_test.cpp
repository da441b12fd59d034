#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "tests/app/test_window.h"

namespace {

// A device context on the real window with everything drawn so far.
class Surface {
 public:
  Surface() : hdc(GetDC(w.hwnd)) {
    // Start from a known picture: white with a few coloured blocks.
    HPEN pen = CreatePen(PS_SOLID, 2, RGB(0, 0, 255));
    for (int x = 0; x < 1000; x += 97)
      for (int y = 0; y < 700; y += 89) SetPixel(hdc, x, y, RGB(x % 256, y % 256, 77));
    DeleteObject(pen);
  }
  ~Surface() { ReleaseDC(w.hwnd, hdc); }
  std::vector<COLORREF> Snapshot(int x0 = 0, int y0 = 0, int x1 = 1000, int y1 = 700) const {
    std::vector<COLORREF> pixels;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) pixels.push_back(GetPixel(hdc, x, y));
    return pixels;
  }
  int CountInColumn(int x, int y0, int y1, COLORREF c) const {
    int n = 0;
    for (int y = y0; y < y1; ++y) n += GetPixel(hdc, x, y) == c;
    return n;
  }
  int CountInRow(int y, int x0, int x1, COLORREF c) const {
    int n = 0;
    for (int x = x0; x < x1; ++x) n += GetPixel(hdc, x, y) == c;
    return n;
  }

  TestWindow w;
  HDC hdc;
};

void Line(HDC hdc, int x0, int y0, int x1, int y1) {
  MoveToEx(hdc, x0, y0, nullptr);
  LineTo(hdc, x1, y1);
}

}  // namespace

TEST(Drawing, InvertingMixDrawnTwiceRestoresEveryPixel) {
  Surface s;
  std::mt19937 rng(7);
  auto coord = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  std::vector<COLORREF> before = s.Snapshot();
  std::vector<HPEN> pens;
  for (int i = 0; i < 8; ++i)
    pens.push_back(CreatePen(PS_SOLID, 2, RGB(coord(0, 255), coord(0, 255), coord(0, 255))));
  struct Figure {
    int kind, pen, a, b, c, d, e, f;
  };
  std::vector<Figure> figures;
  for (int i = 0; i < 300; ++i)
    figures.push_back({coord(0, 2), coord(0, 7), coord(-300, 1300), coord(-300, 1000),
                       coord(-300, 1300), coord(-300, 1000), coord(-50, 1050), coord(-50, 750)});
  SetROP2(s.hdc, R2_NOTXORPEN);
  auto drawAll = [&] {
    for (const Figure &f : figures) {
      SelectObject(s.hdc, pens[f.pen]);
      if (f.kind == 0) Line(s.hdc, f.a, f.b, f.c, f.d);
      if (f.kind == 1) Arc(s.hdc, f.a, f.b, f.a + 80, f.b + 50, f.c, f.d, f.e, f.f);
      if (f.kind == 2) {
        // Outlines only: a hollow ellipse as two half arcs.
        Arc(s.hdc, f.a, f.b, f.a + 60, f.b + 90, 2000, f.b + 45, -2000, f.b + 45);
        Arc(s.hdc, f.a, f.b, f.a + 60, f.b + 90, -2000, f.b + 45, 2000, f.b + 45);
      }
    }
  };
  drawAll();
  EXPECT_NE(s.Snapshot(), before);
  drawAll();
  EXPECT_EQ(s.Snapshot(), before);
  for (HPEN p : pens) DeleteObject(p);
}

TEST(Drawing, SecondInvertingDrawingInvertsWhatWasPutBetween) {
  Surface s;
  HPEN pen = CreatePen(PS_SOLID, 2, RGB(0, 0, 0));
  SelectObject(s.hdc, pen);
  SetROP2(s.hdc, R2_NOTXORPEN);
  Line(s.hdc, 100, 300, 600, 300);
  // Black pen over white gives black; NOT(black XOR black) gives white again.
  EXPECT_EQ(GetPixel(s.hdc, 300, 300), kBlack);
  SetPixel(s.hdc, 300, 300, kBlack);  // pixels ignore the mix
  SetBkMode(s.hdc, OPAQUE);
  TextOutA(s.hdc, 400, 290, "MMMM", 4);  // so does text
  Line(s.hdc, 100, 300, 600, 300);
  EXPECT_EQ(GetPixel(s.hdc, 300, 300), kWhite);  // black inverted by black
  EXPECT_EQ(GetPixel(s.hdc, 200, 300), kWhite);  // white restored
  DeleteObject(pen);
}

TEST(Drawing, TwoPixelPensCoverTwoPixelsAcrossTheLine) {
  Surface s;
  HPEN pen = CreatePen(PS_SOLID, 2, kRed);
  SelectObject(s.hdc, pen);
  Line(s.hdc, 100, 200, 300, 200);  // horizontal
  EXPECT_EQ(s.CountInColumn(200, 190, 210, kRed), 2);
  EXPECT_TRUE(GetPixel(s.hdc, 200, 200) == kRed || GetPixel(s.hdc, 200, 199) == kRed);
  Line(s.hdc, 500, 100, 500, 300);  // vertical
  EXPECT_EQ(s.CountInRow(200, 490, 510, kRed), 2);
  Line(s.hdc, 600, 100, 700, 200);  // diagonal: about two pixels wide along it
  int n = s.CountInRow(150, 640, 660, kRed);
  EXPECT_GE(n, 2);
  EXPECT_LE(n, 3);
  POINT p;
  GetCurrentPositionEx(s.hdc, &p);
  EXPECT_EQ(p.x, 700);
  EXPECT_EQ(p.y, 200);
  DeleteObject(pen);
}

TEST(Drawing, ArcRunsCounterclockwiseFromTheStartRay) {
  Surface s;
  HPEN pen = CreatePen(PS_SOLID, 2, kBlack);
  SelectObject(s.hdc, pen);
  // From the ray towards +x to the ray towards -x, counterclockwise: the upper half.
  Arc(s.hdc, 100, 100, 300, 300, 1000, 200, 0, 200);
  EXPECT_GT(s.CountInColumn(200, 95, 110, kBlack), 0);   // top of the ellipse
  EXPECT_EQ(s.CountInColumn(200, 290, 305, kBlack), 0);  // no bottom
  // The reverse order draws the lower half.
  Arc(s.hdc, 400, 100, 600, 300, 0, 200, 1000, 200);
  EXPECT_EQ(s.CountInColumn(500, 95, 110, kBlack), 0);
  EXPECT_GT(s.CountInColumn(500, 290, 305, kBlack), 0);
  DeleteObject(pen);
}

TEST(Drawing, EllipseIsOutlinedWithThePenAndFilledWithTheBrush) {
  Surface s;
  HPEN pen = CreatePen(PS_SOLID, 2, kBlack);
  SelectObject(s.hdc, pen);
  SetPixel(s.hdc, 220, 220, kRed);
  Ellipse(s.hdc, 200, 200, 240, 240);
  EXPECT_EQ(GetPixel(s.hdc, 220, 220), kWhite);  // interior filled white
  EXPECT_GT(s.CountInRow(220, 195, 205, kBlack), 0);
  EXPECT_GT(s.CountInRow(220, 236, 245, kBlack), 0);
  EXPECT_EQ(s.CountInRow(220, 245, 260, kBlack), 0);
  DeleteObject(pen);
}

TEST(Drawing, TextIsPlacedByItsAlignmentOverItsBackgroundBox) {
  struct Case {
    UINT align;
    int bkMode;
    int inkLeftMin, inkLeftMax, inkRightMin, inkRightMax;  // around x = 500
    int insideBox;                                         // a column inside the text's box
  };
  const Case cases[] = {
      {TA_LEFT | TA_TOP, OPAQUE, 500, 503, 520, 700, 502},
      {TA_RIGHT | TA_TOP, OPAQUE, 300, 480, 496, 500, 496},
      {TA_CENTER | TA_TOP, TRANSPARENT, 400, 490, 510, 600, 500},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.align);
    Surface s;
    SelectObject(s.hdc, g_textFont);
    TEXTMETRICA tm;
    GetTextMetricsA(s.hdc, &tm);
    // Marks that an opaque box must cover.
    for (int x = 300; x < 700; x += 2) SetPixel(s.hdc, x, 402, kRed);
    SetTextAlign(s.hdc, c.align);
    SetBkMode(s.hdc, c.bkMode);
    const char *text = "Ratio = 1.50";
    TextOutA(s.hdc, 500, 400, text, int(std::strlen(text)));
    int left = -1, right = -1;
    for (int x = 250; x < 750; ++x)
      if (s.CountInColumn(x, 400, 400 + tm.tmHeight, kBlack) > 0) {
        if (left < 0) left = x;
        right = x;
      }
    EXPECT_GE(left, c.inkLeftMin);
    EXPECT_LE(left, c.inkLeftMax);
    EXPECT_GE(right, c.inkRightMin);
    EXPECT_LE(right, c.inkRightMax);
    if (c.align == (TA_CENTER | TA_TOP)) {
      EXPECT_NEAR((left + right) / 2.0, 500, 3);
    }
    // An opaque box covers the marks; a transparent one keeps them.
    EXPECT_EQ(GetPixel(s.hdc, c.insideBox, 402) == kRed, c.bkMode == TRANSPARENT);
    EXPECT_EQ(s.CountInColumn(600, 390, 399, kBlack), 0);  // nothing above the top
  }
}

TEST(Drawing, FarCoordinatesAreClipped) {
  Surface s;
  HPEN pen = CreatePen(PS_SOLID, 2, kBlack);
  SelectObject(s.hdc, pen);
  Line(s.hdc, -100000, -100000, 100000, 100000);
  Arc(s.hdc, -50000, -50000, 50000, 50000, 1, 0, -1, 0);
  Ellipse(s.hdc, 20000, 20000, 30000, 30000);
  TextOutA(s.hdc, -5000, 90000, "far", 3);
  EXPECT_EQ(SetPixel(s.hdc, -1, 5, kRed), COLORREF(-1));
  EXPECT_EQ(GetPixel(s.hdc, 1000, 0), COLORREF(-1));
  EXPECT_EQ(GetPixel(s.hdc, 500, 500), kBlack);  // the diagonal passes here
  DeleteObject(pen);
}

TEST(Drawing, FreshContextsStartWithTheDefaults) {
  Surface s;
  EXPECT_EQ(SetROP2(s.hdc, R2_NOTXORPEN), R2_COPYPEN);
  EXPECT_EQ(SetTextAlign(s.hdc, TA_RIGHT), TA_LEFT | TA_TOP);
  EXPECT_EQ(SetTextColor(s.hdc, kRed), kBlack);
  EXPECT_EQ(SetBkMode(s.hdc, TRANSPARENT), OPAQUE);
  HDC other = GetDC(s.w.hwnd);
  EXPECT_EQ(SetROP2(other, R2_COPYPEN), R2_COPYPEN);
  EXPECT_EQ(SetBkMode(other, OPAQUE), OPAQUE);
  // The default pen is black and one pixel wide.
  Line(other, 100, 650, 200, 650);
  EXPECT_EQ(s.CountInColumn(150, 640, 660, kBlack), 1);
  ReleaseDC(s.w.hwnd, other);
}
