// The FreeType faces the driver without a display draws text with, opened
// once and kept, and their glyphs rendered into ink.
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

#include "platform/gdi/surface.h"

// Liberation Sans; the program cannot draw text without it.
FT_Face OpenFace(bool bold);
// Noto Sans CJK in the Han forms, or null when it is not installed.
FT_Face OpenCjkFace(bool bold, HanForm);
// Noto Sans Arabic, or null when it is not installed.
FT_Face OpenArabicFace(bool bold);
// The face that draws a character of the font: Liberation Sans, else Noto
// Sans CJK, else Noto Sans Arabic, as the first that has it.
FT_Face FaceFor(const FontFace &, char32_t);
// A line's height at a pixel size: ascent and descent, each rounded up.
int LineHeight(FT_Face, int px);
// The pixel size of Liberation Sans whose line fits the font's cell; every
// face draws a font at it.
int PixelSize(const FontFace &);
// The glyph just rendered into the slot, one bit a pixel, appended to the
// ink's runs with its origin at (x, y) from the origin of the ink's cell.
void AddRendered(FT_GlyphSlot, int x, int y, GlyphInk &);
// Renders a character's glyph of the face, at its size, into the ink; its
// advance.
int AddGlyph(FT_Face, FT_ULong code, GlyphInk &);
