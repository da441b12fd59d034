// The canvas's screen image put on the canvas, a changed rectangle at a time.
#include <cstdint>
#include <vector>

#include "platform/web/internal.h"

namespace {

std::vector<std::uint32_t> g_rgba;     // a changed rectangle as the canvas takes it
const Surface *g_presented = nullptr;  // the canvas's, once a change of it was put

}  // namespace

void PresentChanged(Surface &s, const Rect &r) {
  if (!Canvas() || &s != &Canvas()->surface) return;
  const Rect shown = CopyRgba(s, r, g_rgba);
  if (shown.Empty()) return;
  g_presented = &s;
  web_present(g_rgba.data(), shown.left, shown.top, shown.Width(), shown.Height(), s.width,
              s.height);
}

// Each rectangle is on the canvas once put; the browser shows them together,
// with the texts they hold.
void FinishPresenting() {
  if (g_presented) HandTextsOver(*g_presented);
  g_presented = nullptr;
}
