#include "display/scene.h"

#include <gtest/gtest.h>

#include <string>

#include "app/wndproc.h"
#include "tests/app/test_window.h"
#include "tests/display/scene_surface.h"

namespace {

struct Point {
  int x, y;
};

std::string Where(Point p) { return "(" + std::to_string(p.x) + ", " + std::to_string(p.y) + ")"; }

class SceneTest : public BlankSurface {
 protected:
  // The schematic alone, without the start arrow.
  void DrawSchematic(int width, int height, int charWidth = 8, int lineHeight = 16) {
    g_startArrowDrawn = 1;
    DrawScene(Dc(), width, height, charWidth, lineHeight);
  }
};

// Every stroke of the source ground and of the one polyline from the source
// resistor to the load's ground at 1000 by 700: a pixel on the stroke (its
// midpoint) is black and a pixel just beside it is white.
TEST_F(SceneTest, EveryStrokeOfTheSchematicLiesWhereItsVerticesPutIt) {
  struct Case {
    const char *name;
    Point from, to, beside;
  };
  const Case cases[] = {
      {"source lead down", {120, 565}, {120, 585}, {124, 575}},
      {"source ground, right half of the base", {120, 585}, {125, 585}, {125, 581}},
      {"source ground, right side", {125, 585}, {120, 595}, {126, 590}},
      {"source ground, left side", {120, 595}, {115, 585}, {113, 590}},
      {"source ground, left half of the base", {115, 585}, {120, 585}, {114, 581}},
      {"source lead up", {120, 525}, {120, 505}, {124, 515}},
      {"source resistor, first step right", {120, 505}, {125, 502}, {126, 506}},
      {"source resistor, corner 1 to 2", {125, 502}, {115, 497}, {120, 497}},
      {"source resistor, corner 2 to 3", {115, 497}, {125, 492}, {120, 492}},
      {"source resistor, corner 3 to 4", {125, 492}, {115, 487}, {120, 487}},
      {"source resistor, corner 4 to 5", {115, 487}, {125, 482}, {120, 482}},
      {"source resistor, corner 5 to 6", {125, 482}, {115, 477}, {120, 477}},
      {"source resistor, last step back", {115, 477}, {120, 474}, {113, 473}},
      {"lead up to the source end", {120, 474}, {120, 454}, {116, 464}},
      {"transmission line", {120, 454}, {750, 175}, {435, 310}},
      {"lead down into the load", {750, 175}, {750, 195}, {754, 185}},
      {"load resistor, first step left", {750, 195}, {745, 198}, {743, 194}},
      {"load resistor, corner 1 to 2", {745, 198}, {755, 203}, {750, 198}},
      {"load resistor, corner 2 to 3", {755, 203}, {745, 208}, {750, 203}},
      {"load resistor, corner 3 to 4", {745, 208}, {755, 213}, {750, 208}},
      {"load resistor, corner 4 to 5", {755, 213}, {745, 218}, {750, 213}},
      {"load resistor, corner 5 to 6", {745, 218}, {755, 223}, {750, 218}},
      {"load resistor, last step back", {755, 223}, {750, 226}, {756, 226}},
      {"load lead down", {750, 226}, {750, 246}, {754, 236}},
      {"load ground, right half of the base", {750, 246}, {755, 246}, {755, 242}},
      {"load ground, right side", {755, 246}, {750, 256}, {756, 251}},
      {"load ground, left side", {750, 256}, {745, 246}, {743, 251}},
      {"load ground, left half of the base", {745, 246}, {750, 246}, {745, 242}},
  };
  DrawSchematic(1000, 700);
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    const Point middle{(c.from.x + c.to.x) / 2, (c.from.y + c.to.y) / 2};
    EXPECT_EQ(Pixel(middle.x, middle.y), kBlack) << "on the stroke at " << Where(middle);
    EXPECT_EQ(Pixel(c.beside.x, c.beside.y), kWhite) << "beside it at " << Where(c.beside);
  }
}

// The circle's box runs from (100, 525) to (140, 565); the upper half-wave
// peaks at y 533 on the left, the lower one dips to y 557 on the right.
TEST_F(SceneTest, TheSourceCircleHoldsOneSinePeriod) {
  struct Case {
    const char *name;
    Point at;
    COLORREF expected;
  };
  const Case cases[] = {
      {"left edge of the circle", {100, 545}, kBlack},
      {"outside the left edge", {96, 545}, kWhite},
      {"right edge of the circle", {139, 545}, kBlack},
      {"outside the right edge", {143, 545}, kWhite},
      {"top of the circle, off the lead", {115, 525}, kBlack},
      {"outside the top left", {103, 528}, kWhite},
      {"bottom of the circle, off the lead", {125, 564}, kBlack},
      {"inside, filled white", {108, 545}, kWhite},
      {"crest of the positive half-wave", {112, 533}, kBlack},
      {"no lower half under the crest", {112, 556}, kWhite},
      {"trough of the negative half-wave", {127, 556}, kBlack},
      {"no upper half over the trough", {127, 533}, kWhite},
      {"the half-waves meet on the axis", {120, 545}, kBlack},
  };
  DrawSchematic(1000, 700);
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Pixel(c.at.x, c.at.y), c.expected) << "at " << Where(c.at);
  }
}

// Texts are drawn on opaque white boxes; over a black ground a box shows
// exactly where its corner is.
TEST_F(SceneTest, CaptionAndAttributionBoxesStartAtTheirAnchors) {
  const int cell = TextCellHeight();
  FillBlack(480, 330, 530, 380);
  FillBlack(950, 0, 1000, 60);
  DrawSchematic(1000, 700);
  struct Case {
    const char *name;
    Point inside, outside;
  };
  const Case cases[] = {
      {"caption, left edge", {500, 350}, {499, 350}},
      {"caption, top edge", {500, 350}, {500, 349}},
      {"first attribution line, right edge", {983, 0}, {984, 0}},
      {"second attribution line, right edge", {983, 16}, {984, 16}},
      {"second attribution line, bottom edge", {983, 15 + cell}, {983, 16 + cell}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Pixel(c.inside.x, c.inside.y), kWhite) << "inside at " << Where(c.inside);
    EXPECT_EQ(Pixel(c.outside.x, c.outside.y), kBlack) << "outside at " << Where(c.outside);
  }
}

TEST_F(SceneTest, TheAttributionFollowsTheCharacterWidthAndLineHeight) {
  FillBlack(940, 0, 1000, 80);
  DrawSchematic(1000, 700, 10, 30);
  EXPECT_EQ(Pixel(979, 30), kWhite);
  EXPECT_EQ(Pixel(980, 30), kBlack);
  EXPECT_EQ(Pixel(979, 29), kBlack);
}

// Odd and small sizes truncate and nothing is clamped: the ends of the line
// and the circle move with the expressions, even off the client area.
TEST_F(SceneTest, OddAndSmallSizesFollowTheExpressions) {
  struct Case {
    const char *name;
    int width, height;
    Point black, white;
  };
  const Case cases[] = {
      {"1001x703: circle's left edge at y0 527", 1001, 703, {100, 547}, {96, 547}},
      {"1001x703: lead reaches the source end at 456", 1001, 703, {120, 457}, {120, 453}},
      {"1001x703: load end at 175", 1001, 703, {750, 176}, {750, 172}},
      {"1001x703: line leaves the source end", 1001, 703, {130, 451}, {130, 446}},
      {"999x700: the source axis at x 99 + 20", 999, 700, {118, 575}, {121, 575}},
      {"height 142: both ends at y 35, the line level", 1000, 142, {435, 35}, {435, 39}},
      {"height 142: the line level near the load end", 1000, 142, {700, 35}, {700, 39}},
      {"height 100: source end at 4, above the load end at 25", 1000, 100, {435, 14}, {435, 10}},
      {"height 100: the line runs downwards to the load", 1000, 100, {600, 19}, {600, 15}},
      {"0x0: the circle at the corner", 0, 0, {20, 39}, {25, 45}},
      {"0x0: the ground lead under it", 0, 0, {20, 50}, {24, 50}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    Erase();
    DrawSchematic(c.width, c.height);
    EXPECT_EQ(Pixel(c.black.x, c.black.y), kBlack) << "at " << Where(c.black);
    EXPECT_EQ(Pixel(c.white.x, c.white.y), kWhite) << "at " << Where(c.white);
  }
}

TEST_F(SceneTest, TheCaptionMovesWithAnOddSize) {
  FillBlack(480, 330, 530, 380);
  DrawSchematic(1001, 703);
  EXPECT_EQ(Pixel(500, 351), kWhite);
  EXPECT_EQ(Pixel(500, 350), kBlack);
  EXPECT_EQ(Pixel(499, 351), kBlack);
}

// The phase-0 forward arrow: shaft from the source end (120, 454) up to
// (120, 404), barbs back down to (125, 409) and (115, 409).
const Point kStartArrowPixels[] = {{120, 440}, {120, 420}, {120, 410}, {122, 406}, {117, 406}};

TEST_F(SceneTest, TheFirstSceneAfterAResetDrawsTheStartArrowInGreen) {
  g_startArrowDrawn = 0;
  DrawScene(Dc(), 1000, 700, 8, 16);
  EXPECT_EQ(g_startArrowDrawn, 1);
  for (Point p : kStartArrowPixels) {
    SCOPED_TRACE(Where(p));
    EXPECT_EQ(Pixel(p.x, p.y), kGreen);
  }
}

TEST_F(SceneTest, TheForwardArrowOfPhaseZeroDrawnAgainLeavesNoTraceOfTheStartArrow) {
  g_startArrowDrawn = 0;
  DrawScene(Dc(), 1000, 700, 8, 16);
  HDC dc = Dc();
  SetROP2(dc, R2_NOTXORPEN);
  SelectObject(dc, g_greenPen);
  MoveToEx(dc, 120, 454, nullptr);
  LineTo(dc, 120, 404);
  LineTo(dc, 125, 409);
  MoveToEx(dc, 120, 404, nullptr);
  LineTo(dc, 115, 409);
  SetROP2(dc, R2_COPYPEN);
  for (int y = 398; y < 446; ++y)
    for (int x = 110; x < 131; ++x) {
      SCOPED_TRACE(Where({x, y}));
      ASSERT_EQ(Pixel(x, y), kWhite);
    }
}

TEST_F(SceneTest, WithTheStartArrowAlreadyDrawnNoGreenPixelAppears) {
  DrawSchematic(1000, 700);
  EXPECT_EQ(g_startArrowDrawn, 1);
  int green = 0;
  for (int y = 0; y < 700; ++y)
    for (int x = 0; x < 1000; ++x) green += Pixel(x, y) == kGreen;
  EXPECT_EQ(green, 0);
}

// The panels that follow rely on the text font and left alignment, the
// animation on the copy mix; the pen tells whether the arrow was drawn.
TEST_F(SceneTest, TheDeviceContextIsLeftAsThePanelsNeedIt) {
  struct Case {
    const char *name;
    int arrowDrawnBefore;
    HPEN penAfter;
  };
  const Case cases[] = {
      {"after drawing the start arrow", 0, g_greenPen},
      {"with the start arrow already drawn", 1, g_blackPen},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    Erase();
    HDC dc = Dc();
    g_startArrowDrawn = c.arrowDrawnBefore;
    DrawScene(dc, 1000, 700, 8, 16);
    EXPECT_EQ(SelectObject(dc, g_redPen), c.penAfter);
    EXPECT_EQ(SelectObject(dc, g_titleFont), g_textFont);
    EXPECT_EQ(SetTextAlign(dc, TA_CENTER), TA_LEFT | TA_TOP);
    EXPECT_EQ(SetROP2(dc, R2_NOTXORPEN), R2_COPYPEN);
    EXPECT_EQ(SetTextColor(dc, RGB(255, 0, 0)), kBlack);
  }
}

// A resize repaints without F1 or F2; the first tick of the run that follows
// must still find the start arrow to take away, or it stays behind.
TEST(SceneRepaint, NoStartArrowStaysBehindWhenARunStartsAfterAResize) {
  TestWindow window;
  ResizeClientForTesting(window.hwnd, 900, 650);
  PumpMessagesForTesting();
  ASSERT_EQ(g_clientWidth, 900);
  ASSERT_EQ(g_clientHeight, 650);
  // The source end is now (110, 416); the start arrow stands from there up to y 366.
  HDC dc = GetDC(window.hwnd);
  EXPECT_EQ(GetPixel(dc, 110, 390), kGreen) << "the repaint draws the start arrow";
  ReleaseDC(window.hwnd, dc);

  // Ten ticks take the forward arrow 50 pixels along the line and turn the
  // source-end phasor a sixth of a turn to the left, clear of the start arrow.
  g_running = 1;
  for (int tick = 0; tick < 10; ++tick) WndProc(window.hwnd, WM_TIMER, kTimerId, 0);
  g_running = 0;

  dc = GetDC(window.hwnd);
  int leftOver = 0;
  for (int y = 360; y < 400; ++y)
    for (int x = 106; x < 118; ++x) leftOver += GetPixel(dc, x, y) != kWhite;
  ReleaseDC(window.hwnd, dc);
  EXPECT_EQ(leftOver, 0) << "pixels of the start arrow left at the source end";
}

}  // namespace
