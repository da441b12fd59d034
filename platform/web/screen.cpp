// The canvas's screen image put on the canvas, a changed rectangle at a time.
#include <cstdint>
#include <vector>

#include "platform/web/internal.h"

namespace {

std::vector<std::uint32_t> g_rgba;  // a changed rectangle as the canvas takes it
const Surface *g_presented = nullptr;  // the canvas's, once a change of it was put

}  // namespace

// 0xffRRGGBB words become the R, G, B, A bytes of the canvas's image data.
void PresentChanged(Surface &s, const Rect &r) {
  const Rect shown = r & Rect{0, 0, s.width, s.height};
  if (!ShowsCanvas(static_cast<const Window *>(s.owner)) || shown.Empty()) return;
  g_presented = &s;
  g_rgba.resize(std::size_t(shown.Area()));
  std::uint32_t *out = g_rgba.data();
  for (int y = shown.top; y < shown.bottom; ++y) {
    const std::uint32_t *row = s.pixels + std::size_t(y) * s.stride;
    for (int x = shown.left; x < shown.right; ++x) {
      const std::uint32_t p = row[x];
      *out++ = 0xff000000u | (p & 0xff) << 16 | (p & 0xff00) | (p >> 16 & 0xff);
    }
  }
  web_present(g_rgba.data(), shown.left, shown.top, shown.Width(), shown.Height(), s.width,
              s.height);
}

// Each rectangle is on the canvas once put; the browser shows them together,
// with the texts they hold.
void FinishPresenting() {
  if (g_presented) HandTextsOver(*g_presented);
  g_presented = nullptr;
}
