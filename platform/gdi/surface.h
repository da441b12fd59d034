// The drawing core's side of a window: its client area as device pixels, the
// device contexts drawn on it, the fonts' glyph ink, and the changes to show.
// A backend (one per window system) owns the pixels and the windows; it
// defines the three hooks at the end, and calls nothing of its system here.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/gdi/geometry.h"
#include "platform/gdi/raster.h"
#include "platform/win.h"

constexpr int kMaxChanged = 24;  // rectangles kept per surface before they merge

// A window's client area. The program draws in logical pixels; the core
// draws each call at `scale` device pixels per logical pixel, as GDI scaling
// does, so the same layout fills a screen of any scale.
struct Surface {
  std::uint32_t *pixels = nullptr;  // 0xffRRGGBB, rows of `stride` words; the backend's
  int width = 0, height = 0;        // device pixels
  int stride = 0;
  double scale = 1.0;
  void *owner = nullptr;  // the backend's window

  // The core's own.
  Coverage coverage;          // the pixels of the primitive being drawn
  Rect changed[kMaxChanged];  // not shown yet, disjoint, device pixels
  int changedCount = 0;

  Surface() = default;
  Surface(const Surface &) = delete;
  Surface &operator=(const Surface &) = delete;
  ~Surface();
};

// Points the surface at its pixels, after a resize or a change of scale.
void AttachPixels(Surface &, std::uint32_t *pixels, int width, int height, int stride,
                  double scale);
// Fills every device pixel with the colour and marks it all changed.
void FillSurface(Surface &, COLORREF);
// Marks device pixels to show.
void MarkChanged(Surface &, Rect);
// Shows every change not yet shown, through the backend's hooks.
void ShowAllChanged();

// A device context on the surface, as GetDC and BeginPaint give it; null
// when all are in use.
HDC OpenContext(Surface &);
void CloseContext(HDC);

// A font's glyphs for the 256 single-byte codes (Latin-1), laid out as the
// platform lays text out: each advanced by its own width, no kerning, no
// shaping. The ink is kept as horizontal runs from the glyph's origin at the
// top of its cell, so drawing text is filling them.
struct InkRun {
  short x, y, length;
};
struct GlyphInk {
  int advance[256];
  int first[257];  // the runs of code c are runs[first[c]] up to runs[first[c + 1]]
  std::vector<InkRun> runs;
  int ascent = 0, internalLeading = 0, externalLeading = 0;
  int aveCharWidth = 0, maxCharWidth = 0;
};

// What the backend is asked to render: a face of an installed family, in a
// character cell `cellHeight` device pixels high.
struct FontFace {
  std::string family;
  bool bold = false;
  int cellHeight = 0;
};

// The hooks a backend defines.
// Renders the glyphs of a face, unsmoothed, at whole pixels.
std::unique_ptr<GlyphInk> MakeGlyphInk(const FontFace &);
// Shows a changed rectangle of the surface's device pixels.
void PresentChanged(Surface &, const Rect &);
// Sends what PresentChanged has shown since the last call.
void FinishPresenting();
