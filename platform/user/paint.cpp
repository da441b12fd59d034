// Device contexts on a top-level window's screen image, which keeps what was
// drawn between paints: a tick draws on it without a repaint.
#include "platform/user/internal.h"

namespace {

bool HasScreen(HWND hwnd) {
  return hwnd && !hwnd->destroyed && hwnd->kind == WindowKind::TopLevel && !hwnd->pixels.empty();
}

}  // namespace

HDC GetDC(HWND hwnd) { return HasScreen(hwnd) ? OpenContext(hwnd->surface) : nullptr; }

int ReleaseDC(HWND, HDC dc) {
  if (!dc) return 0;
  CloseContext(dc);
  return 1;
}

HDC BeginPaint(HWND hwnd, PAINTSTRUCT *ps) {
  *ps = PAINTSTRUCT{nullptr, 1, RECT{0, 0, 0, 0}};
  if (!HasScreen(hwnd)) return nullptr;
  hwnd->invalid = false;
  FillSurface(hwnd->surface, RGB(255, 255, 255));
  ps->hdc = OpenContext(hwnd->surface, true);
  ps->rcPaint = RECT{0, 0, hwnd->width, hwnd->height};
  return ps->hdc;
}

BOOL EndPaint(HWND, const PAINTSTRUCT *ps) {
  if (ps && ps->hdc) CloseContext(ps->hdc);
  return 1;
}
