// The canvas's screen image put on the canvas, a changed rectangle at a time.
#include <cstdint>
#include <vector>

#include "platform/web/internal.h"

namespace {

std::vector<std::uint32_t> g_rgba;  // a changed rectangle as the canvas takes it

}  // namespace

void PresentChanged(Surface &s, const Rect &r) {
  if (!Canvas() || &s != &Canvas()->surface) return;
  const Rect shown = CopyRgba(s, r, g_rgba);
  if (shown.Empty()) return;
  web_present(g_rgba.data(), shown.left, shown.top, shown.Width(), shown.Height(), s.width,
              s.height);
}

// Each rectangle is on the canvas once put; the browser shows them together,
// with the texts the window manager tells next.
void FinishPresenting() {}
