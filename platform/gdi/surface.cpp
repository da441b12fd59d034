// A surface's pixels and the changes that wait to be shown.
//
// What changed is kept as a few rectangles per surface, shown together when
// the backend's event loop next turns, outside the message that drew them,
// as a compositor would show them.
#include <algorithm>
#include <cstring>
#include <iterator>

#include "platform/gdi/context.h"
#include "platform/gdi/text_layer.h"

namespace {

Surface *g_unshown[8];  // surfaces with changes the backend has not been asked to show
int g_unshownCount = 0;

void ShowChanged(Surface &s) {
  for (int i = 0; i < s.changedCount; ++i) PresentChanged(s, s.changed[i]);
  s.changedCount = 0;
}

}  // namespace

Surface::~Surface() {
  for (int i = 0; i < g_unshownCount; ++i)
    if (g_unshown[i] == this) g_unshown[i--] = g_unshown[--g_unshownCount];
}

void AttachPixels(Surface &s, std::uint32_t *pixels, int width, int height, int stride,
                  double scale) {
  s.pixels = pixels;
  s.width = std::max(width, 0);
  s.height = std::max(height, 0);
  s.stride = stride;
  s.scale = scale > 0 ? scale : 1.0;
  if (s.coverage.width() != s.width || s.coverage.height() != s.height)
    s.coverage.Resize(s.width, s.height);
  const Rect all{0, 0, s.width, s.height};
  for (int i = 0; i < s.changedCount; ++i) s.changed[i] = s.changed[i] & all;
}

void FillDevice(Surface &s, Rect r, std::uint32_t pixel) {
  r = r & Rect{0, 0, s.width, s.height};
  if (r.Empty()) return;
  // One row filled, the others copied from it: copying goes a vector at a
  // time where filling goes a word at a time.
  std::uint32_t *first = s.pixels + std::size_t(r.top) * s.stride + r.left;
  std::fill(first, first + r.Width(), pixel);
  for (int y = r.top + 1; y < r.bottom; ++y)
    std::memcpy(s.pixels + std::size_t(y) * s.stride + r.left, first,
                std::size_t(r.Width()) * sizeof *first);
  MarkChanged(s, r);
}

void FillSurface(Surface &s, COLORREF color) {
  ForgetTexts(s, [](const ShownText &) { return true; });
  FillDevice(s, Rect{0, 0, s.width, s.height}, Pixel(color));
}

// Keeps the changed rectangles disjoint: one that meets or touches another
// merges with it; when they are too many, the pair that grows least merges.
void MarkChanged(Surface &s, Rect r) {
  r = r & Rect{0, 0, s.width, s.height};
  if (r.Empty()) return;
  if (s.changedCount == 0) {
    if (g_unshownCount == int(std::size(g_unshown))) ShowAllChanged();
    g_unshown[g_unshownCount++] = &s;
  }
  for (;;) {
    int merge = -1;
    for (int i = 0; i < s.changedCount && merge < 0; ++i)
      if (s.changed[i].Touches(r)) merge = i;
    if (merge < 0 && s.changedCount == kMaxChanged) {
      long long least = -1;
      for (int i = 0; i < s.changedCount; ++i) {
        const long long growth = (s.changed[i] | r).Area() - s.changed[i].Area() - r.Area();
        if (least < 0 || growth < least) least = growth, merge = i;
      }
    }
    if (merge < 0) break;
    r = r | s.changed[merge];
    s.changed[merge] = s.changed[--s.changedCount];
  }
  s.changed[s.changedCount++] = r;
}

void ShowAllChanged() {
  for (int i = 0; i < g_unshownCount; ++i) ShowChanged(*g_unshown[i]);
  g_unshownCount = 0;
  FinishPresenting();
}

// 0xffRRGGBB words become the R, G, B, A bytes, in memory order.
Rect CopyRgba(const Surface &s, Rect r, std::vector<std::uint32_t> &rgba) {
  r = r & Rect{0, 0, s.width, s.height};
  rgba.resize(std::size_t(r.Area()));
  std::uint32_t *out = rgba.data();
  for (int y = r.top; y < r.bottom; ++y) {
    const std::uint32_t *row = s.pixels + std::size_t(y) * s.stride;
    for (int x = r.left; x < r.right; ++x) {
      const std::uint32_t p = row[x];
      *out++ = 0xff000000u | (p & 0xff) << 16 | (p & 0xff00) | (p >> 16 & 0xff);
    }
  }
  return r;
}
