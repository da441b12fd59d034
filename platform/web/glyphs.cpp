// Glyph ink for the drawing core, rendered by the browser (glyphs.js).
#include <cstdlib>

#include "platform/web/internal.h"

namespace {

// Runs as glyphs.js gives them: x, y, length each.
void TakeRuns(const int *p, GlyphInk &ink, int count) {
  for (int i = 0; i < count; ++i, p += 3)
    ink.runs.push_back(InkRun{short(p[0]), short(p[1]), short(p[2])});
}

// A glyph's or a text's block from glyphs.js: its advance, its runs' number, then its runs.
int TakeBlock(int *block, GlyphInk &ink) {
  const int advance = block[0];
  TakeRuns(block + 2, ink, block[1]);
  std::free(block);
  return advance;
}

}  // namespace

std::unique_ptr<GlyphInk> MakeGlyphInk(const FontFace &face) {
  int *block = web_glyphs(face.bold, face.cellHeight, int(face.han));
  const int *p = block + 6;
  auto ink = NewGlyphInk({block[0], block[1], block[2], block[3], block[4], block[5]});
  for (int &advance : ink->advance) advance = *p++;
  for (int &first : ink->first) first = *p++;
  TakeRuns(p, *ink, ink->first[256]);
  std::free(block);
  return ink;
}

int MakeGlyph(const FontFace &face, char32_t c, GlyphInk &ink) {
  return TakeBlock(web_glyph(face.bold, face.cellHeight, int(face.han), int(c)), ink);
}

int MakeShapedText(const FontFace &face, std::string_view utf8, bool rightToLeft, GlyphInk &ink) {
  const std::string text(utf8);  // NUL-terminated
  return TakeBlock(
      web_shaped_text(face.bold, face.cellHeight, int(face.han), text.c_str(), rightToLeft), ink);
}
