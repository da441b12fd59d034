#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <random>
#include <vector>

#include "platform/headless/testing.h"
#include "tests/app/test_window.h"

namespace {

// A device context on the real window, with the pens it makes.
struct Canvas {
  Canvas() : hdc(GetDC(w.hwnd)) {}
  ~Canvas() {
    ReleaseDC(w.hwnd, hdc);
    for (HPEN p : pens) DeleteObject(p);
  }
  void Pen(COLORREF c) {
    pens.push_back(CreatePen(PS_SOLID, 2, c));
    SelectObject(hdc, pens.back());
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

  TestWindow w;
  HDC hdc;
  std::vector<HPEN> pens;
};

}  // namespace

TEST(Drawing, InvertingMixDrawnTwiceRestoresEveryPixel) {
  Canvas s;
  std::mt19937 rng(7);
  auto any = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  std::vector<COLORREF> before = s.Snapshot();
  std::vector<std::vector<int>> figures;
  for (int i = 0; i < 300; ++i)
    figures.push_back({any(0, 0xFFFFFF), any(0, 2), any(-300, 1300), any(-300, 1000),
                       any(-300, 1300), any(-300, 1000)});
  SetROP2(s.hdc, R2_NOTXORPEN);
  for (int pass = 0; pass < 2; ++pass) {
    for (const auto &f : figures) {
      s.Pen(COLORREF(f[0]));
      if (f[1] == 0) s.Line(f[2], f[3], f[4], f[5]);
      if (f[1] == 1) Arc(s.hdc, f[2], f[3], f[2] + 80, f[3] + 50, f[4], f[5], f[3], f[2]);
      if (f[1] == 2) {  // a whole outline as two half arcs
        Arc(s.hdc, f[2], f[3], f[2] + 60, f[3] + 90, 9999, f[3] + 45, -9999, f[3] + 45);
        Arc(s.hdc, f[2], f[3], f[2] + 60, f[3] + 90, -9999, f[3] + 45, 9999, f[3] + 45);
      }
    }
    if (pass == 0) {
      EXPECT_NE(s.Snapshot(), before);
    }
  }
  EXPECT_EQ(s.Snapshot(), before);
  // A pixel set between the two drawings is inverted by the second.
  s.Pen(kBlack);
  s.Line(100, 650, 600, 650);
  SetPixel(s.hdc, 300, 650, kBlack);
  s.Line(100, 650, 600, 650);
  EXPECT_EQ(GetPixel(s.hdc, 300, 650), kWhite);
  EXPECT_EQ(GetPixel(s.hdc, 200, 650), kWhite);
}

// The pixels GDI covers: a 2-pixel line reaches a pixel up and left of
// both ends with its round dots, and is two or three pixels thick across
// when slanted; a 1-pixel line leaves its end point out.
TEST(Drawing, PrimitivesCoverThePixelsGdiCovers) {
  enum Kind { kLine, kArc, kEllipse };
  struct Case {
    const char *what;
    Kind kind;
    int penWidth;
    COLORREF color;
    int x0, y0, x1, y1;
    RECT area;  // where to look for the ink
    RECT ink;   // its box, right and bottom inclusive
  };
  const Case cases[] = {
      {"thin level",
       kLine,
       1,
       kBlack,
       100,
       650,
       200,
       650,
       {90, 640, 210, 660},
       {100, 650, 199, 650}},
      {"thin slant, middle",
       kLine,
       1,
       kBlack,
       850,
       200,
       950,
       250,
       {900, 190, 901, 260},
       {900, 225, 900, 225}},
      {"level", kLine, 2, kRed, 100, 200, 300, 200, {90, 190, 310, 210}, {99, 199, 300, 200}},
      {"upright", kLine, 2, kRed, 500, 100, 500, 300, {490, 90, 510, 250}, {499, 99, 500, 249}},
      {"no length: the dot",
       kLine,
       2,
       kRed,
       700,
       600,
       700,
       600,
       {690, 590, 710, 610},
       {699, 599, 700, 600}},
      {"the scene's line at x 400",
       kLine,
       2,
       kRed,
       120,
       454,
       750,
       175,
       {400, 150, 401, 480},
       {400, 329, 400, 331}},
      {"slant, middle",
       kLine,
       2,
       kBlack,
       850,
       100,
       950,
       150,
       {900, 90, 901, 160},
       {900, 124, 900, 126}},
      {"upper half",
       kArc,
       2,
       kBlack,
       300,
       440,
       500,
       640,
       {290, 430, 510, 650},
       {299, 439, 499, 539}},
      {"circle",
       kEllipse,
       2,
       kBlack,
       800,
       500,
       840,
       540,
       {790, 490, 850, 550},
       {799, 499, 839, 539}},
      {"narrow ellipse, whole to its ends",
       kEllipse,
       1,
       kBlack,
       600,
       500,
       604,
       520,
       {590, 490, 615, 530},
       {600, 500, 603, 519}},
      {"ellipse two pixels wide",
       kEllipse,
       1,
       kBlack,
       640,
       500,
       642,
       510,
       {630, 490, 650, 520},
       {640, 500, 641, 509}},
  };
  Canvas s;
  FillScreenForTesting(s.w.hwnd, kWhite);  // no schematic in the way
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    s.pens.push_back(CreatePen(PS_SOLID, c.penWidth, c.color));
    SelectObject(s.hdc, s.pens.back());
    if (c.kind == kLine) s.Line(c.x0, c.y0, c.x1, c.y1);
    // Counterclockwise from the ray towards +x to the ray towards -x.
    if (c.kind == kArc)
      Arc(s.hdc, c.x0, c.y0, c.x1, c.y1, 2000, (c.y0 + c.y1) / 2, 0, (c.y0 + c.y1) / 2);
    if (c.kind == kEllipse) {
      const int cx = (c.x0 + c.x1) / 2, cy = (c.y0 + c.y1) / 2;
      SetPixel(s.hdc, cx, cy, kRed);
      Ellipse(s.hdc, c.x0, c.y0, c.x1, c.y1);
      if (c.x1 - c.x0 > 2 * c.penWidth + 1) {
        EXPECT_EQ(GetPixel(s.hdc, cx, cy), kWhite);  // the white brush inside
      }
    }
    const RECT ink = s.w.InkBox(c.color, c.area);
    EXPECT_EQ(ink.left, c.ink.left);
    EXPECT_EQ(ink.top, c.ink.top);
    EXPECT_EQ(ink.right, c.ink.right);
    EXPECT_EQ(ink.bottom, c.ink.bottom);
  }
  POINT p;
  GetCurrentPositionEx(s.hdc, &p);
  EXPECT_EQ(p.x, 950);
  EXPECT_EQ(p.y, 150);
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
    SelectObject(s.hdc, f.pen == 1 ? s.pens[0] : s.pens[2]);
    s.Line(f.x0, f.y0, f.x1, f.y1);
    EXPECT_EQ(GetPixel(s.hdc, f.x, f.y), f.pen == 1 ? kBlack : kRed);
  }
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
    Canvas s;
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

// Each glyph advances by its own width, as on the platform: a readout that
// changes digits keeps its width, and its box covers the one before it.
TEST(Drawing, ANewReadoutCoversTheOldOneInEveryTextFont) {
  for (int height : {17, 15, 12}) {
    SCOPED_TRACE(height);
    Canvas s;
    LOGFONTA lf{};
    lf.lfHeight = height;
    std::strcpy(lf.lfFaceName, "Arial Bold");
    HFONT font = CreateFontIndirectA(&lf);
    SelectObject(s.hdc, font);
    SetTextAlign(s.hdc, TA_RIGHT | TA_TOP);
    const RECT area{0, 400, 200, 400 + height};
    const auto ink = [&](const char *text, bool over) {
      if (!over) FillScreenForTesting(s.w.hwnd, kWhite);
      TextOutA(s.hdc, 100, 400, text, 6);
      std::vector<COLORREF> pixels;
      for (LONG y = area.top; y < area.bottom; ++y)
        for (LONG x = area.left; x < area.right; ++x) pixels.push_back(GetPixel(s.hdc, x, y));
      return pixels;
    };
    const std::vector<COLORREF> alone = ink("1.111V", false);
    ink("1.000V", false);
    EXPECT_EQ(ink("1.111V", true), alone);        // nothing of "1.000V" is left
    const auto boxLeft = [&](const char *text) {  // the white box, over black
      FillScreenForTesting(s.w.hwnd, kBlack);
      TextOutA(s.hdc, 100, 400, text, 6);
      return s.w.InkBox(kWhite, area).left;
    };
    EXPECT_EQ(boxLeft("1.111V"), boxLeft("1.000V"));
    SelectObject(s.hdc, g_textFont);
    DeleteObject(font);
  }
}
