#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "tests/app/test_window.h"

namespace {

// A device context on the real window, with the pens it needs.
struct Surface {
  Surface() : hdc(GetDC(w.hwnd)) {}
  ~Surface() {
    ReleaseDC(w.hwnd, hdc);
    for (HPEN p : pens) DeleteObject(p);
  }
  HPEN Pen(COLORREF c, int width = 2) {
    pens.push_back(CreatePen(PS_SOLID, width, c));
    SelectObject(hdc, pens.back());
    return pens.back();
  }
  void Line(int x0, int y0, int x1, int y1) {
    MoveToEx(hdc, x0, y0, nullptr);
    LineTo(hdc, x1, y1);
  }
  std::vector<COLORREF> Snapshot() const {
    std::vector<COLORREF> pixels;
    for (int y = 0; y < 700; ++y)
      for (int x = 0; x < 1000; ++x) pixels.push_back(GetPixel(hdc, x, y));
    return pixels;
  }
  // Pixels of colour c in the column x over [y0, y1), or the row y over [x0, x1).
  int InColumn(int x, int y0, int y1, COLORREF c) const {
    int n = 0;
    for (int y = y0; y < y1; ++y) n += GetPixel(hdc, x, y) == c;
    return n;
  }
  int InRow(int y, int x0, int x1, COLORREF c) const {
    int n = 0;
    for (int x = x0; x < x1; ++x) n += GetPixel(hdc, x, y) == c;
    return n;
  }

  TestWindow w;
  HDC hdc;
  std::vector<HPEN> pens;
};

}  // namespace

TEST(Drawing, InvertingMixDrawnTwiceRestoresEveryPixel) {
  Surface s;
  std::mt19937 rng(7);
  auto any = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  for (int i = 0; i < 40; ++i) SetPixel(s.hdc, any(0, 999), any(0, 699), RGB(any(0, 255), 9, 99));
  std::vector<COLORREF> before = s.Snapshot();
  struct Figure {
    COLORREF color;
    int kind, a, b, c, d;
  };
  std::vector<Figure> figures;
  for (int i = 0; i < 300; ++i)
    figures.push_back({RGB(any(0, 255), any(0, 255), any(0, 255)), any(0, 2), any(-300, 1300),
                       any(-300, 1000), any(-300, 1300), any(-300, 1000)});
  SetROP2(s.hdc, R2_NOTXORPEN);
  for (int pass = 0; pass < 2; ++pass) {
    for (const Figure &f : figures) {
      s.Pen(f.color);
      if (f.kind == 0) s.Line(f.a, f.b, f.c, f.d);
      if (f.kind == 1) Arc(s.hdc, f.a, f.b, f.a + 80, f.b + 50, f.c, f.d, f.b, f.a);
      if (f.kind == 2) {  // a whole outline as two half arcs
        Arc(s.hdc, f.a, f.b, f.a + 60, f.b + 90, 9999, f.b + 45, -9999, f.b + 45);
        Arc(s.hdc, f.a, f.b, f.a + 60, f.b + 90, -9999, f.b + 45, 9999, f.b + 45);
      }
    }
    if (pass == 0) {
      EXPECT_NE(s.Snapshot(), before);
    }
  }
  EXPECT_EQ(s.Snapshot(), before);
}

TEST(Drawing, SecondInvertingDrawingInvertsWhatWasPutBetween) {
  Surface s;
  s.Pen(kBlack);
  SetROP2(s.hdc, R2_NOTXORPEN);
  s.Line(100, 300, 600, 300);
  EXPECT_EQ(GetPixel(s.hdc, 300, 300), kBlack);
  SetPixel(s.hdc, 300, 300, kBlack);  // pixels and text ignore the mix
  TextOutA(s.hdc, 400, 290, "MMMM", 4);
  s.Line(100, 300, 600, 300);
  EXPECT_EQ(GetPixel(s.hdc, 300, 300), kWhite);  // the pixel set between, inverted
  EXPECT_EQ(GetPixel(s.hdc, 200, 300), kWhite);  // white restored
}

TEST(Drawing, PrimitivesCoverThePixelsTheirGeometryGives) {
  Surface s;
  MoveToEx(s.hdc, 100, 650, nullptr);
  LineTo(s.hdc, 200, 650);  // a fresh context's pen: black, one pixel
  EXPECT_EQ(s.InColumn(150, 640, 660, kBlack), 1);
  s.Pen(kRed);
  s.Line(100, 200, 300, 200);
  EXPECT_EQ(s.InColumn(200, 190, 210, kRed), 2);  // two pixels across
  EXPECT_TRUE(GetPixel(s.hdc, 200, 200) == kRed || GetPixel(s.hdc, 200, 199) == kRed);
  s.Line(500, 100, 500, 300);
  EXPECT_EQ(s.InRow(200, 490, 510, kRed), 2);
  s.Line(600, 100, 700, 200);
  EXPECT_GE(s.InRow(150, 640, 660, kRed), 2);
  EXPECT_LE(s.InRow(150, 640, 660, kRed), 3);
  POINT p;
  GetCurrentPositionEx(s.hdc, &p);
  EXPECT_EQ(p.x, 700);
  EXPECT_EQ(p.y, 200);

  s.Pen(kBlack);
  // Counterclockwise from the ray towards +x to the ray towards -x: the upper half.
  Arc(s.hdc, 100, 400, 300, 600, 1000, 500, 0, 500);
  EXPECT_GT(s.InColumn(200, 395, 410, kBlack), 0);
  EXPECT_EQ(s.InColumn(200, 590, 605, kBlack), 0);
  // Ellipse: the outline in the pen, the interior in the white brush.
  SetPixel(s.hdc, 820, 520, kRed);
  Ellipse(s.hdc, 800, 500, 840, 540);
  EXPECT_EQ(GetPixel(s.hdc, 820, 520), kWhite);
  EXPECT_GT(s.InRow(520, 795, 805, kBlack), 0);
  EXPECT_GT(s.InRow(520, 836, 845, kBlack), 0);
  EXPECT_EQ(s.InRow(520, 845, 860, kBlack), 0);
  // Far outside the client area: clipped, and the visible part drawn.
  s.Line(-100000, -100000, 100000, 100000);
  Ellipse(s.hdc, 20000, 20000, 30000, 30000);
  EXPECT_EQ(GetPixel(s.hdc, 650, 650), kBlack);
  EXPECT_EQ(SetPixel(s.hdc, -1, 5, kRed), COLORREF(-1));
}

TEST(Drawing, TextIsPlacedByItsAlignmentOverItsBackgroundBox) {
  struct Case {
    UINT align;
    int bkMode;
    int leftMin, leftMax, rightMin, rightMax;  // the ink, for text at x = 500
    int insideBox;
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
    for (int x = 300; x < 700; x += 2) SetPixel(s.hdc, x, 402, kRed);
    SetTextAlign(s.hdc, c.align);
    SetBkMode(s.hdc, c.bkMode);
    TextOutA(s.hdc, 500, 400, "Ratio = 1.50", 12);
    RECT ink = s.w.InkBox(kBlack, {250, 400, 750, 400 + g_lineHeight});
    EXPECT_GE(ink.left, c.leftMin);
    EXPECT_LE(ink.left, c.leftMax);
    EXPECT_GE(ink.right, c.rightMin);
    EXPECT_LE(ink.right, c.rightMax);
    EXPECT_EQ(s.w.InkBox(kBlack, {480, 385, 620, 400}).left, -1);  // nothing above the top
    EXPECT_EQ(GetPixel(s.hdc, c.insideBox, 402) == kRed, c.bkMode == TRANSPARENT);
  }
}
