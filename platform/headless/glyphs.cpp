// Glyph ink without a toolkit: Liberation Sans rendered by FreeType, one bit
// a pixel and fully hinted, as a desktop draws unsmoothed text; and the
// changes, which stay in memory.
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "platform/gdi/surface.h"

namespace {

constexpr const char *kFaces[] = {
    "/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf",
    "/usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf"};

int Ceil26(FT_Pos v) { return int((v + 63) >> 6); }

FT_Face OpenFace(bool bold) {
  static FT_Library library = nullptr;
  static FT_Face faces[2] = {};
  if (!library && FT_Init_FreeType(&library)) library = nullptr;
  FT_Face &face = faces[bold ? 1 : 0];
  if (!face && library && FT_New_Face(library, kFaces[bold ? 1 : 0], 0, &face)) face = nullptr;
  if (!face) {
    std::fprintf(stderr, "cannot open %s\n", kFaces[bold ? 1 : 0]);
    std::abort();
  }
  return face;
}

// A line's height at a pixel size: ascent and descent, each rounded up.
int LineHeight(FT_Face face, int px) {
  FT_Set_Pixel_Sizes(face, 0, FT_UInt(px));
  return Ceil26(face->size->metrics.ascender) + Ceil26(-face->size->metrics.descender);
}

}  // namespace

std::unique_ptr<GlyphInk> MakeGlyphInk(const FontFace &font) {
  FT_Face face = OpenFace(font.bold);
  const int low = LargestSizeInCell(font, [face](int px) { return LineHeight(face, px); });
  const int height = LineHeight(face, low);
  const FT_Size_Metrics &m = face->size->metrics;
  auto ink = std::make_unique<GlyphInk>();
  ink->ascent = Ceil26(m.ascender);
  ink->internalLeading = height - low;
  ink->externalLeading = std::max(Ceil26(m.height) - height, 0);
  const auto *os2 = static_cast<const TT_OS2 *>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  ink->aveCharWidth = os2 ? int(std::lround(os2->xAvgCharWidth * double(low) / face->units_per_EM))
                          : Ceil26(m.max_advance) / 2;
  ink->maxCharWidth = Ceil26(m.max_advance);
  for (int code = 0; code < 256; ++code) {
    ink->first[code] = int(ink->runs.size());
    ink->advance[code] = 0;
    // The single-byte codes are Latin-1; control codes draw nothing.
    if (code < 0x20 || (code >= 0x7f && code < 0xa0)) continue;
    if (FT_Load_Char(face, FT_ULong(code), FT_LOAD_RENDER | FT_LOAD_TARGET_MONO)) continue;
    const FT_GlyphSlot g = face->glyph;
    ink->advance[code] = int((g->advance.x + 32) >> 6);
    const FT_Bitmap &b = g->bitmap;
    AddInkRuns(*ink, int(b.width), int(b.rows), g->bitmap_left, ink->ascent - g->bitmap_top,
               [&b](int x, int y) {
                 return (b.buffer[std::ptrdiff_t(y) * b.pitch + (x >> 3)] >> (7 - (x & 7))) & 1;
               });
  }
  ink->first[256] = int(ink->runs.size());
  return ink;
}

void PresentChanged(Surface &, const Rect &) {}
void FinishPresenting() {}
