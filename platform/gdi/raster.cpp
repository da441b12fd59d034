#include "platform/gdi/raster.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace {

// The smallest integer at or above n / d, for d > 0.
long long CeilDiv(long long n, long long d) { return n >= 0 ? (n + d - 1) / d : -(-n / d); }

long long FloorDiv(long long n, long long d) { return n >= 0 ? n / d : -((-n + d - 1) / d); }

int RoundHalfUp(double v) { return int(std::floor(v + 0.5)); }

// The round dot of a wide pen at an end or a corner.
void MarkDot(Coverage &c, Point p, int width) {
  const int first = -(width / 2);
  for (int r = first; r < first + width; ++r) {
    const RowSpan s = DotSpan(width, r);
    c.MarkSpan(p.y + r, p.x + s.left, p.x + s.right);
  }
}

// A wide line without its ends.
void MarkBody(Coverage &c, Point a, Point b, int width) {
  LineBody body(a, b, width, 0);
  for (int y = std::max(body.top(), 0); y < std::min(body.bottom(), c.height()); ++y) {
    const RowSpan s = body.Next();
    c.MarkSpan(y, s.left, s.right);
  }
}

// A one-pixel line without its end point. Steps are Bresenham's; where the
// true line passes exactly between two pixels, the platform takes the other
// one for lines heading up and left, steep ones heading down and left and
// shallow ones heading up and right.
void MarkThin(Coverage &c, Point a, Point b) {
  const long long dx = (long long)b.x - a.x, dy = (long long)b.y - a.y;
  if (dx == 0 && dy == 0) return;
  const bool xMajor = std::abs(dx) > std::abs(dy);
  const long long major = xMajor ? std::abs(dx) : std::abs(dy);
  const long long minor = xMajor ? std::abs(dy) : std::abs(dx);
  const int majorStep = (xMajor ? dx : dy) > 0 ? 1 : -1;
  const int minorStep = (xMajor ? dy : dx) > 0 ? 1 : -1;
  const bool biased =
      (dy > 0 && dx <= 0 && !xMajor) || (dy <= 0 && dx < 0) || (dy <= 0 && dx >= 0 && xMajor);
  // Only the steps that land inside the image along the major axis.
  const long long start = xMajor ? a.x : a.y, size = xMajor ? c.width() : c.height();
  long long first = majorStep > 0 ? -start : start - (size - 1);
  long long last = majorStep > 0 ? size - 1 - start : start;
  first = std::max(first, 0LL);
  last = std::min(last, major - 1);
  for (long long i = first; i <= last; ++i) {
    const long long m = CeilDiv(2 * i * minor - major + (biased ? 1 : 0), 2 * major);
    const int along = int(start + majorStep * i);
    const int across = int((xMajor ? a.y : a.x) + minorStep * m);
    if (xMajor)
      c.MarkSpan(across, along, along + 1);
    else
      c.MarkSpan(along, across, across + 1);
  }
}

// A quarter of the outline of the ellipse in a w by h box, from the middle
// of its right side to the middle of its bottom, in box coordinates (the
// callers flip and mirror it): the midpoint algorithm for ellipses in
// whole-number arithmetic.
void Quadrant(Coverage &c, int w, int h) {
  const long long a = w - 1, b = h - 1;
  long long stepX = 4 * b * b * (1 - a), stepY = 4 * a * a * (1 + b % 2);
  long long error = stepX + stepY + a * a * (b % 2);
  c.quadrant.clear();
  for (int x = int(a), y = h / 2; x >= w / 2;) {
    c.quadrant.push_back({x, y});
    const long long twice = 2 * error;
    if (twice >= stepX) {
      --x;
      stepX += 8 * b * b;
      error += stepX;
    }
    if (twice <= stepY) {
      ++y;
      stepY += 8 * a * a;
      error += stepY;
    }
  }
  // A flat quadrant runs out of columns before it reaches the bottom: its
  // last column goes on down.
  for (Point last = c.quadrant.back(); last.y < b;) {
    ++last.y;
    c.quadrant.push_back(last);
  }
}

// Where along the quadrant's points, counted counterclockwise round the
// whole ellipse, the ray from `centre` through (x, y) (y upwards) leaves;
// the quadrant's points are taken from the centre too.
int RayPosition(const std::vector<Point> &q, Point centre, long long x, long long y) {
  const int n = int(q.size());
  auto X = [&](int i) { return (long long)q[i].x - centre.x; };
  auto Y = [&](int i) { return (long long)q[i].y - centre.y; };
  int i = 0;
  if (y >= 0 && x >= 0) {
    while (i < n && X(i) * y > Y(i) * x) ++i;
    return i;
  }
  if (y >= 0) {
    while (i < n && X(i) * y >= Y(i) * -x) ++i;
    return 2 * n - i;
  }
  if (x >= 0) {
    while (i < n && X(i) * -y > Y(i) * x) ++i;
    return 4 * n - i;
  }
  while (i < n && X(i) * -y >= Y(i) * -x) ++i;
  return 2 * n + i;
}

Box Normalized(Box b) {
  if (b.left > b.right) std::swap(b.left, b.right);
  if (b.top > b.bottom) std::swap(b.top, b.bottom);
  return b;
}

}  // namespace

EdgeCrossing::EdgeCrossing(Point a, Point b, int row) {
  if (a.y > b.y) std::swap(a, b);
  top_ = a.y;
  bottom_ = b.y;
  if (top_ == bottom_) return;
  dy_ = (long long)bottom_ - top_;
  const long long dx = (long long)b.x - a.x, along = ((long long)std::max(row, top_) - top_) * dx;
  x_ = a.x + CeilDiv(along, dy_);
  over_ = (x_ - a.x) * dy_ - along;
  step_ = FloorDiv(dx, dy_);
  stepRest_ = dx - step_ * dy_;
}

RowSpan DotSpan(int width, int row) {
  if (width == 2) return {-1, 1};  // the program's pens: two by two, without the roots
  const int first = -(width / 2);
  const double centre = first + (width - 1) / 2.0, radius = width / 2.0;
  const double half = std::sqrt(radius * radius - (row - centre) * (row - centre));
  return {int(std::ceil(centre - half)), int(std::floor(centre + half)) + 1};
}

LineBody::LineBody(Point a, Point b, int width, int firstRow) {
  const long long dx = (long long)b.x - a.x, dy = (long long)b.y - a.y;
  if (dx == 0 && dy == 0) return;
  if (dy == 0 || dx == 0) {
    const bool level = dy == 0;
    const int across = (level ? a.y : a.x) - width / 2;
    const int from = std::min(level ? a.x : a.y, level ? b.x : b.y);
    const int to = std::max(level ? a.x : a.y, level ? b.x : b.y);
    top_ = level ? across : from;
    bottom_ = level ? across + width : to;
    rect_ = level ? RowSpan{from, to} : RowSpan{across, across + width};
    return;
  }
  // The pen's breadth across the line, measured along x and along y; the
  // side of the line that gets the larger half depends on its direction.
  const double length = std::hypot(double(dx), double(dy));
  const double acrossX = width * std::abs(dy) / length, acrossY = width * std::abs(dx) / length;
  Point narrow{RoundHalfUp(acrossX / 2), RoundHalfUp(acrossY / 2)};
  Point wide{RoundHalfUp((acrossX + 1) / 2), RoundHalfUp((acrossY + 1) / 2)};
  if (dx < 0) {
    narrow.y = -narrow.y;
    wide.y = -wide.y;
  }
  if (dy < 0) {
    std::swap(narrow, wide);
    narrow.x = -narrow.x;
    wide.x = -wide.x;
  }
  const Point quad[4] = {
      {a.x - narrow.x, a.y + narrow.y},
      {a.x + wide.x, a.y - wide.y},
      {b.x + wide.x, b.y - wide.y},
      {b.x - narrow.x, b.y + narrow.y},
  };
  top_ = bottom_ = quad[0].y;
  for (const Point &q : quad) top_ = std::min(top_, q.y), bottom_ = std::max(bottom_, q.y);
  row_ = std::max(top_, firstRow);
  slanted_ = true;
  for (int i = 0; i < 4; ++i) edges_[i] = EdgeCrossing(quad[i], quad[(i + 1) % 4], row_);
}

RowSpan LineBody::Next() {
  if (!slanted_) return rect_;
  RowSpan s{INT_MAX, INT_MIN};
  for (EdgeCrossing &e : edges_) {
    if (!e.Crosses(row_)) continue;
    s.left = std::min(s.left, e.x());
    s.right = std::max(s.right, e.x());
    e.Next();
  }
  ++row_;
  return s.left <= s.right ? s : RowSpan{0, 0};
}

WideLine::WideLine(Point from, Point to, int width, int firstRow)
    : body_(from, to, width, firstRow), from_(from), to_(to), width_(width) {
  const int dotTop = std::min(from.y, to.y) - width / 2;
  const int dotBottom = std::max(from.y, to.y) - width / 2 + width;
  top_ = body_.top() < body_.bottom() ? std::min(body_.top(), dotTop) : dotTop;
  bottom_ = body_.top() < body_.bottom() ? std::max(body_.bottom(), dotBottom) : dotBottom;
}

int WideLine::Row(int y, RowSpan runs[3]) {
  int n = 0;
  if (y >= body_.top() && y < body_.bottom()) {
    const RowSpan s = body_.Next();
    if (s.left < s.right) runs[n++] = s;
  }
  const int first = -(width_ / 2);
  for (const Point &end : {from_, to_}) {
    const int r = y - end.y;
    if (r < first || r >= first + width_) continue;
    const RowSpan s = DotSpan(width_, r);
    runs[n++] = {end.x + s.left, end.x + s.right};
  }
  // Left to right, runs that meet or overlap made one.
  if (n > 1) std::sort(runs, runs + n, [](RowSpan a, RowSpan b) { return a.left < b.left; });
  int merged = 0;
  for (int i = 0; i < n; ++i) {
    if (merged > 0 && runs[i].left <= runs[merged - 1].right)
      runs[merged - 1].right = std::max(runs[merged - 1].right, runs[i].right);
    else
      runs[merged++] = runs[i];
  }
  return merged;
}

void Coverage::Resize(int width, int height) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  marks_.assign(std::size_t(width_) * height_, 0);
  rowLeft_.assign(height_, width_);
  rowRight_.assign(height_, 0);
  top_ = bottom_ = 0;
}

bool Coverage::Marked(int x, int y) const {
  return x >= 0 && y >= 0 && x < width_ && y < height_ && marks_[std::size_t(y) * width_ + x];
}

RowSpan ConvexSpan(const Point *p, int count, int y) {
  RowSpan s{INT_MAX, INT_MIN};
  for (int i = 0; i < count; ++i) {
    const Point a = p[i], b = p[(i + 1) % count];
    if ((y < a.y) == (y < b.y)) continue;  // the row misses the edge
    const EdgeCrossing e(a, b, y);
    if (!e.Crosses(y)) continue;
    s.left = std::min(s.left, e.x());
    s.right = std::max(s.right, e.x());
  }
  return s.left <= s.right ? s : RowSpan{0, 0};
}

void MarkPolyline(Coverage &c, const Point *p, int count, bool closed, int width) {
  if (count < 2) return;
  const int lines = closed ? count : count - 1;
  for (int i = 0; i < lines; ++i) {
    const Point a = p[i], b = p[(i + 1) % count];
    if (width <= 1)
      MarkThin(c, a, b);
    else
      MarkBody(c, a, b, width);
  }
  if (width > 1)
    for (int i = 0; i < count; ++i) MarkDot(c, p[i], width);
}

void EllipseOutline(Coverage &c, const Box &box) {
  const Box b = Normalized(box);
  const int w = b.right - b.left, h = b.bottom - b.top;
  c.outline.clear();
  if (w == 0 || h == 0) return;
  Quadrant(c, w, h);
  std::vector<Point> &p = c.outline;
  const int n = int(c.quadrant.size());
  p.resize(4 * std::size_t(n));
  for (int i = 0; i < n; ++i) p[i] = {b.left + c.quadrant[i].x, b.top + h - 1 - c.quadrant[i].y};
  // The other quadrants by symmetry, the midpoints of odd sides once.
  int last = 2 * n - 1 - (w % 2);
  for (int i = 0; i < n; ++i) p[last - i] = {b.left + b.right - 1 - p[i].x, p[i].y};
  const int half = last + 1;
  last = 2 * half - 1 - (h % 2);
  for (int i = 0; i < half; ++i) p[last - i] = {p[i].x, b.top + b.bottom - 1 - p[i].y};
  p.resize(last + 1);
}

void ArcOutline(Coverage &c, const Box &box, Point start, Point end) {
  const Box b = Normalized(box);
  const int w = b.right - b.left, h = b.bottom - b.top;
  c.outline.clear();
  if (w == 0 || h == 0) return;
  Quadrant(c, w, h);
  const std::vector<Point> &q = c.quadrant;
  const int n = int(q.size());
  // The rays are taken from the centre of the box; the points lie where
  // the whole ellipse of the same box has them.
  const Point half{w / 2, h / 2}, centre{b.left + w / 2, b.top + h / 2};
  const int from =
      RayPosition(q, half, (long long)start.x - centre.x, (long long)centre.y - start.y);
  int to = RayPosition(q, half, (long long)end.x - centre.x, (long long)centre.y - end.y);
  if (to <= from) to += 4 * n;
  const int right = b.right - 1, upper = b.top + h - 1;
  for (int i = from; i < to; ++i) {
    const Point forward = q[i % n], backward = q[n - 1 - i % n];
    switch ((i / n) % 4) {
      case 0:
        c.outline.push_back({b.left + forward.x, upper - forward.y});
        break;
      case 1:
        c.outline.push_back({right - backward.x, upper - backward.y});
        break;
      case 2:
        c.outline.push_back({right - forward.x, b.top + forward.y});
        break;
      default:
        c.outline.push_back({b.left + backward.x, b.top + backward.y});
        break;
    }
  }
}
