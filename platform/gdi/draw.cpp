// Lines, arcs, ellipses and single pixels on a surface, at its scale.
//
// Lines are rasterised straight into the surface's pixels, through the
// coverage mask where pieces overlap. Nothing is antialiased, so a figure
// drawn twice covers the same pixels and the inverting mix drawn twice
// restores every one of them.
#include <algorithm>
#include <climits>
#include <cmath>

#include "platform/gdi/colour_map.h"
#include "platform/gdi/context.h"
#include "platform/gdi/text_layer.h"

namespace {

// A pen's width in device pixels; wider than this covers any screen.
int DeviceWidth(int width, double scale) {
  return int(std::clamp(std::lround(width * scale), 1L, 1L << 16));
}

// The part of the segment inside the square of side 2 kFar round the
// origin, in device pixels; false when none of it is.
bool DeviceSegment(Point from, Point to, double scale, Point *a, Point *b) {
  double x0 = from.x * scale, y0 = from.y * scale, x1 = to.x * scale, y1 = to.y * scale;
  double t0 = 0, t1 = 1;
  const double dx = x1 - x0, dy = y1 - y0, far = double(kFar);
  // Each side of the square cuts off the part of the segment beyond it.
  const double p[4] = {-dx, dx, -dy, dy}, q[4] = {x0 + far, far - x0, y0 + far, far - y0};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0)
      t0 = std::max(t0, t);
    else
      t1 = std::min(t1, t);
  }
  if (t0 > t1) return false;
  *a = Point{int(std::llround(x0 + t0 * dx)), int(std::llround(y0 + t0 * dy))};
  *b = Point{int(std::llround(x0 + t1 * dx)), int(std::llround(y0 + t1 * dy))};
  return true;
}

// An arc's ray point in device pixels: the same direction from the box's
// centre, brought within kFar.
Point RayPoint(Point p, const Box &box, double scale) {
  const double cx = (box.left + box.right) / 2.0, cy = (box.top + box.bottom) / 2.0;
  double dx = p.x * scale - cx, dy = p.y * scale - cy;
  const double reach = std::max(std::abs(dx), std::abs(dy)), room = double(kFar) / 2;
  if (reach > room) dx *= room / reach, dy *= room / reach;
  return Point{int(std::llround(cx + dx)), int(std::llround(cy + dy))};
}

// Ellipses larger than this many device pixels across are not drawn, as the
// platform's own coordinate space has its bounds.
constexpr int kLargestEllipse = 1 << 18;

bool DeviceBox(int left, int top, int right, int bottom, double scale, Box *box) {
  *box = Box{ToDevice(left, scale), ToDevice(top, scale), ToDevice(right, scale),
             ToDevice(bottom, scale)};
  return std::abs((long long)box->right - box->left) <= kLargestEllipse &&
         std::abs((long long)box->bottom - box->top) <= kLargestEllipse;
}

// The logical pixels of the box whose centres lie inside the ellipse in
// `bounds`: what its brush paints over, as a text's box counts it.
long long InsideEllipse(const Rect &box, const Rect &bounds) {
  const double cx = (bounds.left + bounds.right) / 2.0, cy = (bounds.top + bounds.bottom) / 2.0;
  const double a = bounds.Width() / 2.0, b = bounds.Height() / 2.0;
  const Rect rows = box & bounds;
  long long inside = 0;
  for (int y = rows.top; y < rows.bottom; ++y) {
    const double v = (y + 0.5 - cy) / b, half = a * std::sqrt(std::max(1 - v * v, 0.0));
    const long long left = std::max<long long>(box.left, std::llround(std::ceil(cx - half - 0.5)));
    const long long right =
        std::min<long long>(box.right, std::llround(std::ceil(cx + half - 0.5)));
    inside += std::max(right - left, 0LL);
  }
  return inside;
}

// Paints runs of pixels in the pen's colour and the context's mix: `runs`
// calls its argument with (y, left, right) for each run inside the surface,
// each pixel in one run only.
template <class Runs>
void PaintRuns(HDC dc, Runs runs) {
  Surface &s = *dc->surface;
  const std::uint32_t pen = Pixel(ShownColour(Ink::Line, dc->pen->color));
  const bool invert = dc->mix == R2_NOTXORPEN;
  Rect painted{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
  runs([&](int y, int l, int r) {
    std::uint32_t *row = s.pixels + std::size_t(y) * s.stride;
    if (invert)
      for (int x = l; x < r; ++x) row[x] = ~(row[x] ^ pen) | 0xff000000u;
    else
      std::fill(row + l, row + r, pen);
    painted = Rect{std::min(painted.left, l), std::min(painted.top, y), std::max(painted.right, r),
                   std::max(painted.bottom, y + 1)};
  });
  MarkChanged(s, painted);
}

// Paints what the coverage marks, and clears the marks.
void Stroke(HDC dc) {
  PaintRuns(dc, [&](auto paint) { dc->surface->coverage.Drain(paint); });
}

}  // namespace

BOOL LineTo(HDC dc, int x, int y) {
  if (!dc) return 0;
  const Point to{x, y};
  Surface &s = *dc->surface;
  const int width = DeviceWidth(dc->pen->width, s.scale);
  // Each call is a line of its own, with round ends; one of no length
  // leaves the dot of its ends, as on the platform.
  Point ends[2];
  if (DeviceSegment(dc->position, to, s.scale, &ends[0], &ends[1])) {
    if (width > 1) {
      WideLine line(ends[0], ends[1], width, 0);
      const int bottom = std::min(line.bottom(), s.height);
      PaintRuns(dc, [&](auto paint) {
        RowSpan runs[3];
        for (int row = std::max(line.top(), 0); row < bottom; ++row)
          for (int i = 0, n = line.Row(row, runs); i < n; ++i) {
            const int left = std::max(runs[i].left, 0), right = std::min(runs[i].right, s.width);
            if (left < right) paint(row, left, right);
          }
      });
    } else {
      MarkPolyline(s.coverage, ends, 2, false, 1);
      Stroke(dc);
    }
  }
  dc->position = to;
  return 1;
}

// A pixel is the block of device pixels it covers at the surface's scale.
COLORREF SetPixel(HDC dc, int x, int y, COLORREF color) {
  if (!dc) return COLORREF(-1);
  Surface &s = *dc->surface;
  const Rect block = ToDevice(Rect{x, y, x + 1, y + 1}, s.scale);
  if ((block & Rect{0, 0, s.width, s.height}).Empty()) return COLORREF(-1);
  FillDevice(s, block, Pixel(ShownColour(Ink::Line, color)));
  return color;
}

COLORREF GetPixel(HDC dc, int x, int y) {
  if (!dc) return COLORREF(-1);
  const Surface &s = *dc->surface;
  const Point p = ToDevice(Point{x, y}, s.scale);
  if (p.x < 0 || p.y < 0 || p.x >= s.width || p.y >= s.height) return COLORREF(-1);
  const std::uint32_t v = s.pixels[std::size_t(p.y) * s.stride + p.x];
  return RGB(int(v >> 16 & 0xff), int(v >> 8 & 0xff), int(v & 0xff));
}

BOOL Ellipse(HDC dc, int left, int top, int right, int bottom) {
  if (!dc) return 0;
  Surface &s = *dc->surface;
  Box box;
  if (!DeviceBox(left, top, right, bottom, s.scale, &box)) return 0;
  Coverage &c = s.coverage;
  EllipseOutline(c, box);
  MarkPolyline(c, c.outline.data(), int(c.outline.size()), true,
               DeviceWidth(dc->pen->width, s.scale));
  // The brush fills what the outline leaves inside, always in the copy mix.
  const std::uint32_t brush = Pixel(dc->brush->color);
  Rect filled;
  PolygonInside(c, [&](int y, int l, int r) {
    std::uint32_t *row = s.pixels + std::size_t(y) * s.stride;
    std::fill(row + l, row + r, brush);
    filled = filled | Rect{l, y, r, y + 1};
  });
  MarkChanged(s, filled);
  Stroke(dc);
  const Rect bounds{std::min(left, right), std::min(top, bottom), std::max(left, right),
                    std::max(top, bottom)};
  ForgetTexts(
      s, [&](const ShownText &t) { return MostlyCovered(t.box, InsideEllipse(t.box, bounds)); });
  return 1;
}

BOOL Arc(HDC dc, int left, int top, int right, int bottom, int xs, int ys, int xe, int ye) {
  if (!dc) return 0;
  Surface &s = *dc->surface;
  Box box;
  if (!DeviceBox(left, top, right, bottom, s.scale, &box)) return 0;
  ArcOutline(s.coverage, box, RayPoint({xs, ys}, box, s.scale), RayPoint({xe, ye}, box, s.scale));
  MarkPolyline(s.coverage, s.coverage.outline.data(), int(s.coverage.outline.size()), false,
               DeviceWidth(dc->pen->width, s.scale));
  Stroke(dc);
  return 1;
}
