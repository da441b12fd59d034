// The fixed schematic of the experiment, repainted in full on every WM_PAINT.
#include "display/scene.h"

#include <span>
#include <string_view>

#include "display/pens_fonts.h"
#include "display/resource_text.h"

int g_startArrowDrawn = 0;  // 1 once the phase-0 forward arrow stands at the source end

namespace {

// The wave launched at phase 0 is 1 V, which the forward arrow shows as 50 pixels.
constexpr int kLaunchedArrowLength = 50;

// Draws on from the current position through every point in turn.
void LineThrough(HDC hdc, std::span<const POINT> points) {
  for (const POINT &p : points) LineTo(hdc, p.x, p.y);
}

}  // namespace

void DrawScene(HDC hdc, int width, int height, int charWidth, int lineHeight) {
  const int x0 = width / 10;        // left edge of the source circle
  const int y0 = (3 * height) / 4;  // top edge of the source circle
  const int xc = x0 + 20;           // vertical axis of the source
  const int xs = xc, ys = y0 - 71;  // source end of the line
  const int xl = (3 * width) / 4;   // load end of the line
  const int yl = height / 4;

  SelectObject(hdc, g_blackPen);
  Ellipse(hdc, x0, y0, x0 + 40, y0 + 40);
  // One sine period: the upper half of the left ellipse, the lower half of the right one.
  Arc(hdc, x0 + 5, y0 + 8, x0 + 20, y0 + 32, width, y0 + 20, 0, y0 + 20);
  Arc(hdc, x0 + 20, y0 + 8, x0 + 35, y0 + 32, 0, y0 + 20, width, y0 + 20);

  // Lead down from the circle and the ground triangle.
  MoveToEx(hdc, xc, y0 + 40, nullptr);
  const POINT sourceGround[] = {
      {xc, y0 + 60}, {xc + 5, y0 + 60}, {xc, y0 + 70}, {xc - 5, y0 + 60}, {xc, y0 + 60},
  };
  LineThrough(hdc, sourceGround);

  // Source resistor, the line itself, the load resistor and its ground, in one stroke.
  MoveToEx(hdc, xc, y0, nullptr);
  const POINT sourceToLoad[] = {
      {xc, y0 - 20},  // lead up from the circle
      {xc + 5, y0 - 23}, {xc - 5, y0 - 28}, {xc + 5, y0 - 33}, {xc - 5, y0 - 38},
      {xc + 5, y0 - 43}, {xc - 5, y0 - 48}, {xc, y0 - 51},  // end of the source resistor
      {xs, ys},                                             // lead up to the source end
      {xl, yl},                                             // the line
      {xl, yl + 20},                                        // lead down into the load
      {xl - 5, yl + 23}, {xl + 5, yl + 28}, {xl - 5, yl + 33}, {xl + 5, yl + 38},
      {xl - 5, yl + 43}, {xl + 5, yl + 48}, {xl, yl + 51},  // end of the load resistor
      {xl, yl + 71},                                        // lead down to the ground
      {xl + 5, yl + 71}, {xl, yl + 81},     {xl - 5, yl + 71}, {xl, yl + 71},
  };
  LineThrough(hdc, sourceToLoad);

  SelectObject(hdc, g_textFont);
  WriteResourceText(hdc, width / 2, height / 2, IDS_LINE_CAPTION);

  SetTextAlign(hdc, TA_RIGHT | TA_TOP);
  WriteText(hdc, width - 2 * charWidth, 0, "Ondulane");
  WriteResourceText(hdc, width - 2 * charWidth, lineHeight, IDS_TEACHING_AID);
  SetTextAlign(hdc, TA_LEFT | TA_TOP);

  // Drawn inverted, like every frame's forward arrow, so the first tick's
  // phase-0 frame takes it away again.
  if (g_startArrowDrawn == 0) {
    const int tipY = ys - kLaunchedArrowLength;
    SetROP2(hdc, R2_NOTXORPEN);
    SelectObject(hdc, g_greenPen);
    MoveToEx(hdc, xs, ys, nullptr);
    LineTo(hdc, xs, tipY);
    LineTo(hdc, xs + 5, tipY + 5);
    MoveToEx(hdc, xs, tipY, nullptr);
    LineTo(hdc, xs - 5, tipY + 5);
    SetROP2(hdc, R2_COPYPEN);
    g_startArrowDrawn = 1;
  }
}
