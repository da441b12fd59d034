// The device contexts and GDI objects of the drawing core, shared by its
// files only.
#pragma once

#include <cmath>
#include <memory>
#include <string_view>

#include "platform/gdi/surface.h"

struct GdiObject {
  enum class Kind { Pen, Font, Brush } kind;
  COLORREF color = 0;
  int width = 1;                     // a pen's, logical pixels
  FontFace face;                     // a font's, at 100%
  bool stock = false;                // never deleted
  std::unique_ptr<GlyphInk> ink;     // a font's at 100%: its metrics and advances
  std::unique_ptr<GlyphInk> scaled;  // its ink at `scaledFor`, made when first drawn there
  double scaledFor = 0;
};

struct DeviceContext {
  DeviceContext(Surface &s, bool p) : surface(&s), paint(p) {}
  Surface *surface;
  bool paint;  // BeginPaint's: what it draws is the picture, not news
  HPEN pen = nullptr;
  HFONT font = nullptr;
  HBRUSH brush = nullptr;
  Point position;  // logical
  int mix = R2_COPYPEN;
  UINT align = TA_LEFT | TA_TOP;
  COLORREF textColor = RGB(0, 0, 0);
  int bkMode = OPAQUE;
  COLORREF bkColor = RGB(255, 255, 255);
};

// Pixels as they lie in a surface.
inline std::uint32_t Pixel(COLORREF c) {
  return 0xff000000u | std::uint32_t(GetRValue(c)) << 16 | std::uint32_t(GetGValue(c)) << 8 |
         std::uint32_t(GetBValue(c));
}

// Beyond this many device pixels from the origin nothing can be seen, and
// the rasteriser's arithmetic stays well inside 64 bits.
constexpr long long kFar = 1 << 28;

// A logical coordinate in device pixels: scaled and rounded, kept to kFar.
inline int ToDevice(long long v, double scale) {
  const long long d = scale == 1.0 ? v : std::llround(double(v) * scale);
  return int(std::clamp(d, -kFar, kFar));
}
inline Point ToDevice(Point p, double scale) {
  return {ToDevice(p.x, scale), ToDevice(p.y, scale)};
}
// A logical rectangle's device pixels, right and bottom outside.
inline Rect ToDevice(const Rect &r, double scale) {
  return {ToDevice(r.left, scale), ToDevice(r.top, scale), ToDevice(r.right, scale),
          ToDevice(r.bottom, scale)};
}

// A font's ink, made by the backend, in the Han forms of the user's language.
std::unique_ptr<GlyphInk> MakeFontInk(FontFace);

// Whether a text is laid out as a whole by the backend: drawn reading from
// the right, or holding a character of a script whose letters join or that
// reads from the right.
bool ShapedAsWhole(std::string_view, bool rightToLeft);
// The whole text's ink, shaped the first time it is drawn or measured with
// the ink, and kept a while.
Glyph ShapedTextOf(GlyphInk &, std::string_view, bool rightToLeft);

// Fills device pixels of the surface, clipped to it, in the copy mix.
void FillDevice(Surface &, Rect, std::uint32_t pixel);
