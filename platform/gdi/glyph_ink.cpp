// What every backend's glyph ink shares: its metrics, the faces it takes,
// the size that fits a cell, the runs of a rendered glyph, and the
// single-byte codes.
#include <algorithm>

#include "platform/gdi/surface.h"

// The line's height above the font's size is its internal leading; the
// gap between lines, its external leading, is never less than none.
std::unique_ptr<GlyphInk> NewGlyphInk(const FontMeasures &m) {
  auto ink = std::make_unique<GlyphInk>();
  ink->ascent = m.ascent;
  ink->internalLeading = m.height - m.px;
  ink->externalLeading = std::max(m.lineGap, 0);
  ink->aveCharWidth = m.aveCharWidth;
  ink->maxCharWidth = m.maxCharWidth;
  return ink;
}

std::string SubstituteFace(std::string face) {
  if (face == "Arial") return "Liberation Sans";
  if (face == "MS Shell Dlg") return "MS Sans Serif";
  return face;
}

std::vector<std::string> FamiliesFor(const std::string &family, HanForm han) {
  return {SubstituteFace(family), "Liberation Sans", kCjkFamilies[int(han)], "Noto Sans Arabic",
          "DejaVu Sans"};
}

// A line's height grows with the pixel size.
int LargestSizeInCell(const FontFace &face, const std::function<int(int px)> &lineHeight) {
  int low = 1, high = std::max(face.cellHeight, 1);
  while (low < high) {
    const int mid = (low + high + 1) / 2;
    if (lineHeight(mid) <= face.cellHeight)
      low = mid;
    else
      high = mid - 1;
  }
  return low;
}

void AddInkRuns(GlyphInk &ink, int width, int height, int dx, int dy,
                const std::function<bool(int x, int y)> &inked) {
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      if (!inked(x, y)) continue;
      int end = x;
      while (end < width && inked(end, y)) ++end;
      ink.runs.push_back(InkRun{short(x + dx), short(y + dy), short(end - x)});
      x = end;
    }
}

void AddSingleByteGlyphs(GlyphInk &ink, const std::function<int(char32_t)> &add) {
  for (int code = 0; code < 256; ++code) {
    ink.first[code] = int(ink.runs.size());
    ink.advance[code] = code < 0x20 || (code >= 0x7f && code < 0xa0) ? 0 : add(char32_t(code));
  }
  ink.first[256] = int(ink.runs.size());
}
