// Glyph ink for the drawing core, rendered by the browser (glyphs.js).
#include <cstdlib>

#include "platform/web/internal.h"

std::unique_ptr<GlyphInk> MakeGlyphInk(const FontFace &face) {
  int *block = web_glyphs(face.bold, face.cellHeight);
  auto ink = std::make_unique<GlyphInk>();
  const int *p = block;
  ink->ascent = *p++;
  ink->internalLeading = *p++;
  ink->externalLeading = *p++;
  ink->aveCharWidth = *p++;
  ink->maxCharWidth = *p++;
  for (int &advance : ink->advance) advance = *p++;
  for (int &first : ink->first) first = *p++;
  ink->runs.resize(std::size_t(ink->first[256]));
  for (InkRun &run : ink->runs) {
    run.x = short(p[0]);
    run.y = short(p[1]);
    run.length = short(p[2]);
    p += 3;
  }
  std::free(block);
  return ink;
}
