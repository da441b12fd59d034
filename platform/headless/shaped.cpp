// Whole texts laid out as a desktop lays them out: FriBidi orders the
// characters, HarfBuzz shapes each run of one direction and one face, and
// FreeType renders the glyphs it gives as MakeGlyph renders one.
#include <fribidi.h>
#include <hb-ft.h>

#include <numeric>
#include <vector>

#include "platform/gdi/utf8.h"
#include "platform/headless/faces.h"

namespace {

// As the platform lays text out: letters joined and marks placed, no kerning.
constexpr hb_feature_t kNoKerning{HB_TAG('k', 'e', 'r', 'n'), 0, HB_FEATURE_GLOBAL_START,
                                  HB_FEATURE_GLOBAL_END};

// A mark or a joiner belongs with the character before it, in that
// character's face when it has one: split off, it would stop the letters
// joining.
bool BelongsWithPrevious(char32_t c) {
  return c == 0x200C || c == 0x200D ||
         hb_unicode_general_category(hb_unicode_funcs_get_default(), c) ==
             HB_UNICODE_GENERAL_CATEGORY_NON_SPACING_MARK;
}

// Shapes the characters [start, start + length) of the text in one face and
// direction, the others around them as context; renders the glyphs from
// `pen` (26.6 pixels), which moves past them.
void ShapeRun(FT_Face face, int px, const std::vector<FriBidiChar> &chars, int start, int length,
              bool rightToLeft, hb_position_t &pen, GlyphInk &ink) {
  FT_Set_Pixel_Sizes(face, 0, FT_UInt(px));
  hb_font_t *font = hb_ft_font_create_referenced(face);
  hb_ft_font_set_load_flags(font, FT_LOAD_DEFAULT | FT_LOAD_TARGET_MONO);
  hb_buffer_t *buffer = hb_buffer_create();
  hb_buffer_add_utf32(buffer, chars.data(), int(chars.size()), unsigned(start), length);
  hb_buffer_set_direction(buffer, rightToLeft ? HB_DIRECTION_RTL : HB_DIRECTION_LTR);
  hb_buffer_guess_segment_properties(buffer);
  hb_shape(font, buffer, &kNoKerning, 1);
  unsigned count = 0;
  const hb_glyph_info_t *glyphs = hb_buffer_get_glyph_infos(buffer, &count);
  const hb_glyph_position_t *at = hb_buffer_get_glyph_positions(buffer, &count);
  for (unsigned i = 0; i < count; ++i) {
    if (!FT_Load_Glyph(face, glyphs[i].codepoint, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO))
      AddRendered(face->glyph, (pen + at[i].x_offset + 32) >> 6, -((at[i].y_offset + 32) >> 6),
                  ink);
    pen += at[i].x_advance;
  }
  hb_buffer_destroy(buffer);
  hb_font_destroy(font);
}

}  // namespace

int MakeShapedText(const FontFace &font, std::string_view utf8, bool rightToLeft, GlyphInk &ink) {
  std::vector<FriBidiChar> chars;
  for (std::size_t at = 0; at < utf8.size();) chars.push_back(NextCharacter(utf8, at));
  const int n = int(chars.size());
  std::vector<FriBidiCharType> types(chars.size());
  std::vector<FriBidiBracketType> brackets(chars.size());
  std::vector<FriBidiLevel> levels(chars.size());
  std::vector<FriBidiStrIndex> visual(chars.size());  // the character shown at each place
  std::iota(visual.begin(), visual.end(), 0);
  fribidi_get_bidi_types(chars.data(), n, types.data());
  fribidi_get_bracket_types(chars.data(), n, types.data(), brackets.data());
  FriBidiParType direction = rightToLeft ? FRIBIDI_PAR_RTL : FRIBIDI_PAR_LTR;
  if (!fribidi_get_par_embedding_levels_ex(types.data(), brackets.data(), n, &direction,
                                           levels.data()) ||
      !fribidi_reorder_line(0, types.data(), n, 0, direction, levels.data(), nullptr,
                            visual.data()))
    return 0;

  const int px = PixelSize(font);
  std::vector<FT_Face> faces(chars.size());
  for (int i = 0; i < n; ++i)
    faces[i] = i > 0 && BelongsWithPrevious(chars[i]) && FT_Get_Char_Index(faces[i - 1], chars[i])
                   ? faces[i - 1]
                   : FaceFor(font, chars[i]);
  // A run: places in a row whose characters follow each other in their
  // reading direction, of one level and one face.
  hb_position_t pen = 0;
  for (int place = 0; place < n;) {
    const int first = visual[place];
    const bool odd = levels[first] & 1;
    const int step = odd ? -1 : 1;
    int end = place + 1;
    while (end < n && visual[end] == visual[end - 1] + step &&
           levels[visual[end]] == levels[first] && faces[visual[end]] == faces[first])
      ++end;
    const int start = odd ? visual[end - 1] : first;
    ShapeRun(faces[first], px, chars, start, end - place, odd, pen, ink);
    place = end;
  }
  return (pen + 32) >> 6;
}
