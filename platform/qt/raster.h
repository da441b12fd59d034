// Which pixels lines, arcs and ellipses cover, as the platform's GDI
// rasterises them. A wide line is the four-sided polygon of its two edges
// with a round dot at each end; a one-pixel line steps as Bresenham's and
// leaves its end point out. Polygons take the pixels whose top left corner
// lies inside, counting left and top edges in and right and bottom ones out.
#pragma once

#include <QPoint>
#include <QRect>
#include <algorithm>
#include <cstdint>
#include <vector>

// The pixels one primitive covers, each marked once however many of its
// pieces overlap there, so that an inverting mix inverts it once. Sized to
// an image; marks outside it are dropped. Drawing marks nothing on the heap
// once the image and the largest figure have been seen.
class Coverage {
 public:
  void Resize(int width, int height);
  // Marks [left, right) of row y.
  void MarkSpan(int y, int left, int right) {
    if (y < 0 || y >= height_) return;
    left = std::max(left, 0);
    right = std::min(right, width_);
    if (left >= right) return;
    uint8_t *row = marks_.data() + std::size_t(y) * width_;
    for (int x = left; x < right; ++x) row[x] = 1;
    rowLeft_[y] = std::min(rowLeft_[y], left);
    rowRight_[y] = std::max(rowRight_[y], right);
    top_ = top_ == bottom_ ? y : std::min(top_, y);
    bottom_ = std::max(bottom_, y + 1);
  }
  bool Marked(int x, int y) const;
  int width() const { return width_; }
  int height() const { return height_; }
  // Calls paint(y, left, right) for each run of marked pixels, clears the
  // marks and returns the rectangle they spanned (empty when none).
  template <class Paint>
  QRect Drain(Paint paint);

  std::vector<QPoint> quadrant, outline;  // room for an ellipse's points

 private:
  int width_ = 0, height_ = 0;
  std::vector<uint8_t> marks_;
  std::vector<int> rowLeft_, rowRight_;  // the marked columns of each row, [left, right)
  int top_ = 0, bottom_ = 0;             // the rows with marks, [top, bottom)
};

// A bounding rectangle as the platform passes it, right and bottom outside.
struct Box {
  int left, top, right, bottom;
};

// One line of a pen `width` pixels wide: a wide pen's dots cover both
// ends, a one-pixel pen leaves the end out.
void MarkLine(Coverage &, QPoint from, QPoint to, int width);
// Lines through `count` points; a wide pen rounds every corner.
void MarkPolyline(Coverage &, const QPoint *points, int count, bool closed, int width);
// The closed outline of the ellipse in `box`, into coverage.outline.
void EllipseOutline(Coverage &, const Box &box);
// The counterclockwise arc of the ellipse in `box` from the ray through
// `start` to the ray through `end`, into coverage.outline.
void ArcOutline(Coverage &, const Box &box, QPoint start, QPoint end);
// The inside of the closed, convex polygon through coverage.outline, less
// the pixels already marked: paint(y, left, right) per run.
template <class Paint>
void PolygonInside(const Coverage &, Paint paint);

// Spans of a convex polygon, one per row: [left, right) at row y.
struct RowSpan {
  int left, right;
};
RowSpan ConvexSpan(const QPoint *points, int count, int y);

template <class Paint>
QRect Coverage::Drain(Paint paint) {
  int left = width_, right = 0;
  const int top = top_, bottom = bottom_;
  for (int y = top_; y < bottom_; ++y) {
    uint8_t *row = marks_.data() + std::size_t(y) * width_;
    const int last = rowRight_[y];
    for (int x = rowLeft_[y]; x < last;) {
      if (!row[x]) {
        ++x;
        continue;
      }
      int end = x;
      while (end < last && row[end]) row[end++] = 0;
      paint(y, x, end);
      left = std::min(left, x);
      right = std::max(right, end);
      x = end;
    }
    rowLeft_[y] = width_;
    rowRight_[y] = 0;
  }
  top_ = bottom_ = 0;
  return left < right ? QRect(left, top, right - left, bottom - top) : QRect();
}

template <class Paint>
void PolygonInside(const Coverage &c, Paint paint) {
  const std::vector<QPoint> &p = c.outline;
  if (p.size() < 3) return;
  int top = p[0].y(), bottom = p[0].y();
  for (const QPoint &q : p) top = std::min(top, q.y()), bottom = std::max(bottom, q.y());
  for (int y = std::max(top, 0); y < std::min(bottom, c.height()); ++y) {
    RowSpan s = ConvexSpan(p.data(), int(p.size()), y);
    s.left = std::max(s.left, 0);
    s.right = std::min(s.right, c.width());
    for (int x = s.left; x < s.right; ++x) {
      if (c.Marked(x, y)) continue;
      int end = x;
      while (end < s.right && !c.Marked(end, y)) ++end;
      paint(y, x, end);
      x = end;
    }
  }
}
