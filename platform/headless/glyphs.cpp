// Glyph ink without a toolkit: Liberation Sans rendered by FreeType, one bit
// a pixel and fully hinted, as a desktop draws unsmoothed text, with Noto
// Sans CJK and Noto Sans Arabic for the characters it lacks; and the
// changes, which stay in memory.
#include "platform/headless/faces.h"

#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr const char *kFaces[] = {
    "/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf",
    "/usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf"};

// A collection of a face for each form of the Han characters, named by them.
constexpr const char *kCjkFaces[] = {"/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc",
                                     "/usr/share/fonts/opentype/noto/NotoSansCJK-Bold.ttc"};
constexpr const char *kArabicFaces[] = {"/usr/share/fonts/truetype/noto/NotoSansArabic-Regular.ttf",
                                        "/usr/share/fonts/truetype/noto/NotoSansArabic-Bold.ttf"};

int Ceil26(FT_Pos v) { return int((v + 63) >> 6); }

FT_Library Library() {
  static FT_Library library = nullptr;
  if (!library && FT_Init_FreeType(&library)) library = nullptr;
  return library;
}

}  // namespace

FT_Face OpenFace(bool bold) {
  static FT_Face faces[2] = {};
  FT_Library library = Library();
  FT_Face &face = faces[bold ? 1 : 0];
  if (!face && library && FT_New_Face(library, kFaces[bold ? 1 : 0], 0, &face)) face = nullptr;
  if (!face) {
    std::fprintf(stderr, "cannot open %s\n", kFaces[bold ? 1 : 0]);
    std::abort();
  }
  return face;
}

// The collection's face of the Han forms, or null when it is not installed.
FT_Face OpenCjkFace(bool bold, HanForm han) {
  constexpr int kForms = int(HanForm::Traditional) + 1;
  static FT_Face faces[2][kForms] = {};
  static bool tried[2][kForms] = {};
  FT_Face &face = faces[bold ? 1 : 0][int(han)];
  if (tried[bold ? 1 : 0][int(han)]) return face;
  tried[bold ? 1 : 0][int(han)] = true;
  FT_Library library = Library();
  FT_Face first = nullptr;
  if (!library || FT_New_Face(library, kCjkFaces[bold ? 1 : 0], 0, &first)) return nullptr;
  for (FT_Long i = 0; i < first->num_faces && !face; ++i) {
    FT_Face candidate = nullptr;
    if (FT_New_Face(library, kCjkFaces[bold ? 1 : 0], i, &candidate)) continue;
    if (std::string(candidate->family_name) == kCjkFamilies[int(han)])
      face = candidate;
    else
      FT_Done_Face(candidate);
  }
  FT_Done_Face(first);
  return face;
}

FT_Face OpenArabicFace(bool bold) {
  static FT_Face faces[2] = {};
  static bool tried[2] = {};
  FT_Face &face = faces[bold ? 1 : 0];
  if (tried[bold ? 1 : 0]) return face;
  tried[bold ? 1 : 0] = true;
  FT_Library library = Library();
  if (!library || FT_New_Face(library, kArabicFaces[bold ? 1 : 0], 0, &face)) face = nullptr;
  return face;
}

void AddRendered(FT_GlyphSlot g, int x, int y, GlyphInk &ink) {
  const FT_Bitmap &b = g->bitmap;
  AddInkRuns(ink, int(b.width), int(b.rows), x + g->bitmap_left, y + ink.ascent - g->bitmap_top,
             [&b](int x, int y) {
               return (b.buffer[std::ptrdiff_t(y) * b.pitch + (x >> 3)] >> (7 - (x & 7))) & 1;
             });
}

int AddGlyph(FT_Face face, FT_ULong code, GlyphInk &ink) {
  if (FT_Load_Char(face, code, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO)) return 0;
  AddRendered(face->glyph, 0, 0, ink);
  return int((face->glyph->advance.x + 32) >> 6);
}

int PixelSize(const FontFace &font) {
  FT_Face face = OpenFace(font.bold);
  return LargestSizeInCell(font, [face](int px) { return LineHeight(face, px); });
}

int LineHeight(FT_Face face, int px) {
  FT_Set_Pixel_Sizes(face, 0, FT_UInt(px));
  return Ceil26(face->size->metrics.ascender) + Ceil26(-face->size->metrics.descender);
}

std::unique_ptr<GlyphInk> MakeGlyphInk(const FontFace &font) {
  FT_Face face = OpenFace(font.bold);
  const int low = PixelSize(font);
  const int height = LineHeight(face, low);
  const FT_Size_Metrics &m = face->size->metrics;
  const auto *os2 = static_cast<const TT_OS2 *>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  auto ink =
      NewGlyphInk({low, Ceil26(m.ascender), height, Ceil26(m.height) - height,
                   os2 ? int(std::lround(os2->xAvgCharWidth * double(low) / face->units_per_EM))
                       : Ceil26(m.max_advance) / 2,
                   Ceil26(m.max_advance)});
  AddSingleByteGlyphs(*ink, [&](char32_t c) { return AddGlyph(face, FT_ULong(c), *ink); });
  return ink;
}

// A character none has is drawn as the font's missing glyph.
FT_Face FaceFor(const FontFace &font, char32_t c) {
  FT_Face face = OpenFace(font.bold);
  if (FT_Get_Char_Index(face, c)) return face;
  if (FT_Face cjk = OpenCjkFace(font.bold, font.han); cjk && FT_Get_Char_Index(cjk, c)) return cjk;
  if (FT_Face arabic = OpenArabicFace(font.bold); arabic && FT_Get_Char_Index(arabic, c))
    return arabic;
  return face;
}

int MakeGlyph(const FontFace &font, char32_t c, GlyphInk &ink) {
  const int px = PixelSize(font);
  FT_Face face = FaceFor(font, c);
  FT_Set_Pixel_Sizes(face, 0, FT_UInt(px));
  return AddGlyph(face, FT_ULong(c), ink);
}

void PresentChanged(Surface &, const Rect &) {}
void FinishPresenting() {}
