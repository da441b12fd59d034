// Device contexts on the main window's screen image, and its changes put on
// the canvas.
#include <vector>

#include "platform/web/internal.h"

namespace {

std::vector<std::uint32_t> g_rgba;  // a changed rectangle as the canvas takes it

bool HasScreen(HWND hwnd) { return hwnd && hwnd == MainWindow() && !hwnd->pixels.empty(); }

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
  ps->hdc = OpenContext(hwnd->surface);
  ps->rcPaint = RECT{0, 0, hwnd->width, hwnd->height};
  return ps->hdc;
}

BOOL EndPaint(HWND, const PAINTSTRUCT *ps) {
  if (ps && ps->hdc) CloseContext(ps->hdc);
  return 1;
}

// 0xffRRGGBB words become the R, G, B, A bytes of the canvas's image data.
void PresentChanged(Surface &s, const Rect &r) {
  const Rect shown = r & Rect{0, 0, s.width, s.height};
  if (shown.Empty()) return;
  g_rgba.resize(std::size_t(shown.Area()));
  std::uint32_t *out = g_rgba.data();
  for (int y = shown.top; y < shown.bottom; ++y) {
    const std::uint32_t *row = s.pixels + std::size_t(y) * s.stride;
    for (int x = shown.left; x < shown.right; ++x) {
      const std::uint32_t p = row[x];
      *out++ = 0xff000000u | (p & 0xff) << 16 | (p & 0xff00) | (p >> 16 & 0xff);
    }
  }
  web_present(g_rgba.data(), shown.left, shown.top, shown.Width(), shown.Height());
}

// Each rectangle is on the canvas once put; the browser shows them together.
void FinishPresenting() {}
