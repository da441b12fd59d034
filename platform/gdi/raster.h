// Which pixels lines, arcs and ellipses cover, as the platform's GDI
// rasterises them. A wide line is the four-sided polygon of its two edges
// with a round dot at each end; a one-pixel line steps as Bresenham's and
// leaves its end point out. Polygons take the pixels whose top left corner
// lies inside, counting left and top edges in and right and bottom ones out.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/gdi/geometry.h"

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
  // Calls paint(y, left, right) for each run of marked pixels and clears
  // the marks.
  template <class Paint>
  void Drain(Paint paint);

  std::vector<Point> quadrant, outline;  // room for an ellipse's points

 private:
  int width_ = 0, height_ = 0;
  std::vector<uint8_t> marks_;
  std::vector<int> rowLeft_, rowRight_;  // the marked columns of each row, [left, right)
  int top_ = 0, bottom_ = 0;             // the rows with marks, [top, bottom)
};

// A run of pixels in a row: [left, right).
struct RowSpan {
  int left, right;
};

// Where an edge of a polygon crosses the rows it spans, top included and
// bottom not: the first whole x at or right of it, stepped a row at a time
// without dividing.
class EdgeCrossing {
 public:
  EdgeCrossing() = default;
  // Starting at `row`, or at the edge's top when that is lower down.
  EdgeCrossing(Point a, Point b, int row);
  bool Crosses(int row) const { return row >= top_ && row < bottom_; }
  int x() const { return int(x_); }
  void Next() {
    x_ += step_;
    over_ -= stepRest_;
    if (over_ < 0) {
      over_ += dy_;
      ++x_;
    }
  }

 private:
  int top_ = 0, bottom_ = 0;
  long long dy_ = 1, x_ = 0, over_ = 0, step_ = 0, stepRest_ = 0;
};

// The run a wide pen's round dot covers at `row` from the point's row
// (from -(width / 2) on, `width` rows), across from the point's x: a disc
// whose centre sits half a pixel up and left of the point, as the
// platform's own end caps and joins do.
RowSpan DotSpan(int width, int row);

// The body of one line of a wide pen, its ends left out: a rectangle when
// the line is level or upright, else the polygon of its two edges, each a
// whole number of pixels from the centre line on either side. Its rows
// come one at a time from `firstRow`, or from its top if lower down.
class LineBody {
 public:
  LineBody(Point a, Point b, int width, int firstRow);
  int top() const { return top_; }  // rows [top, bottom)
  int bottom() const { return bottom_; }
  RowSpan Next();  // the next row's run

 private:
  int top_ = 0, bottom_ = 0, row_ = 0;
  bool slanted_ = false;
  RowSpan rect_{0, 0};
  EdgeCrossing edges_[4];
};

// One line of a wide pen with the dots at its two ends, a row at a time.
class WideLine {
 public:
  WideLine(Point from, Point to, int width, int firstRow);
  int top() const { return top_; }  // rows [top, bottom)
  int bottom() const { return bottom_; }
  // The runs of row y, left to right, none meeting another; returns how
  // many. Rows come in order from `firstRow` or the top, whichever is lower.
  int Row(int y, RowSpan runs[3]);

 private:
  LineBody body_;
  Point from_, to_;
  int width_, top_, bottom_;
};

// The run of row y inside a convex polygon, empty when the row misses it.
RowSpan ConvexSpan(const Point *points, int count, int y);

// A bounding rectangle as the platform passes it, right and bottom outside.
struct Box {
  int left, top, right, bottom;
};

// Lines through `count` points; a wide pen rounds every corner.
void MarkPolyline(Coverage &, const Point *points, int count, bool closed, int width);
// The closed outline of the ellipse in `box`, into coverage.outline.
void EllipseOutline(Coverage &, const Box &box);
// The counterclockwise arc of the ellipse in `box` from the ray through
// `start` to the ray through `end`, into coverage.outline.
void ArcOutline(Coverage &, const Box &box, Point start, Point end);
// The inside of the closed, convex polygon through coverage.outline, less
// the pixels already marked: paint(y, left, right) per run.
template <class Paint>
void PolygonInside(const Coverage &, Paint paint);

template <class Paint>
void Coverage::Drain(Paint paint) {
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
      x = end;
    }
    rowLeft_[y] = width_;
    rowRight_[y] = 0;
  }
  top_ = bottom_ = 0;
}

template <class Paint>
void PolygonInside(const Coverage &c, Paint paint) {
  const std::vector<Point> &p = c.outline;
  if (p.size() < 3) return;
  int top = p[0].y, bottom = p[0].y;
  for (const Point &q : p) top = std::min(top, q.y), bottom = std::max(bottom, q.y);
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
