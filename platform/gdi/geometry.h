// Points and rectangles in pixels, as the drawing core passes them.
#pragma once

#include <algorithm>
#include <cmath>

struct Point {
  int x = 0, y = 0;
  friend bool operator==(Point, Point) = default;
};

// Right and bottom are outside, as the platform's rectangles have them.
struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  friend bool operator==(const Rect &, const Rect &) = default;

  bool Empty() const { return left >= right || top >= bottom; }
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  long long Area() const { return Empty() ? 0 : (long long)Width() * Height(); }
  bool Contains(const Rect &r) const {
    return r.Empty() || (r.left >= left && r.top >= top && r.right <= right && r.bottom <= bottom);
  }
  // Whether the two share a pixel or lie side by side.
  bool Touches(const Rect &r) const {
    return left <= r.right && r.left <= right && top <= r.bottom && r.top <= bottom;
  }
  Rect operator&(const Rect &r) const {
    return {std::max(left, r.left), std::max(top, r.top), std::min(right, r.right),
            std::min(bottom, r.bottom)};
  }
  // The pixels it touches of a grid `numerator / denominator` times as fine.
  Rect Scaled(double numerator, double denominator = 1) const {
    const auto down = [=](int v) { return int(std::floor(v * numerator / denominator)); };
    const auto up = [=](int v) { return int(std::ceil(v * numerator / denominator)); };
    return {down(left), down(top), up(right), up(bottom)};
  }
  // The smallest rectangle holding both; an empty one adds nothing.
  Rect operator|(const Rect &r) const {
    if (Empty()) return r;
    if (r.Empty()) return *this;
    return {std::min(left, r.left), std::min(top, r.top), std::max(right, r.right),
            std::max(bottom, r.bottom)};
  }
};
