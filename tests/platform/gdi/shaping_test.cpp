// Texts whose letters join, shaped as a whole, and texts read from the
// right, laid out by the bidirectional algorithm.
#include <gtest/gtest.h>
#include <hb-ft.h>

#include <cstring>
#include <set>
#include <string>
#include <utility>

#include "platform/headless/faces.h"
#include "tests/platform/gdi/sheet.h"

namespace {

constexpr int kCell = 40;  // large enough for a letter's forms to differ
constexpr int kLeft = 20, kTop = 20;
constexpr const char *kArabicFace = "/usr/share/fonts/truetype/noto/NotoSansArabic-Regular.ttf";

using Points = std::set<std::pair<int, int>>;  // inked, from the text's origin

struct Drawing {
  Points ink;
  std::string kept;  // what the text layer holds
  int width = 0, ascent = 0;
};

// A text drawn through the Unicode call, in a font of kCell.
Drawing Draw(Sheet &sheet, const std::string &text, UINT options = 0) {
  FillSurface(sheet.surface, kWhite);
  WCHAR wide[64];
  const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), wide, 64);
  ExtTextOutW(sheet.dc, kLeft, kTop, options, nullptr, wide, UINT(n), nullptr);
  Drawing drawn;
  for (std::size_t i = 0; i < sheet.pixels.size(); ++i)
    if (sheet.pixels[i] != 0xffffffffu)
      drawn.ink.insert({int(i) % sheet.width - kLeft, int(i) / sheet.width - kTop});
  const ShownText &shown = sheet.surface.texts.texts[sheet.surface.texts.count - 1];
  drawn.kept = std::string(shown.Text());
  drawn.width = shown.box.Width();
  TEXTMETRICA tm;
  GetTextMetricsA(sheet.dc, &tm);
  drawn.ascent = tm.tmAscent;
  return drawn;
}

Drawing Draw(const std::string &text, UINT options = 0) {
  Sheet sheet(600, 100);
  LOGFONTA lf{};
  lf.lfHeight = kCell;
  std::strcpy(lf.lfFaceName, "Arial");
  sheet.Select(CreateFontIndirectA(&lf));
  return Draw(sheet, text, options);
}

// An Arabic word in Noto Sans Arabic at the size the font is drawn at, from
// FreeType and HarfBuzz straight: the glyphs HarfBuzz gives when `joined`,
// else each letter's own glyph, the first at the right.
Points Reference(const std::string &word, bool joined, int ascent) {
  FT_Library library;
  FT_Face face;
  FT_Init_FreeType(&library);
  FT_New_Face(library, kArabicFace, 0, &face);
  FT_Set_Pixel_Sizes(face, 0, FT_UInt(PixelSize(FontFace{"Liberation Sans", false, kCell})));
  hb_font_t *font = hb_ft_font_create_referenced(face);
  hb_ft_font_set_load_flags(font, FT_LOAD_DEFAULT | FT_LOAD_TARGET_MONO);
  hb_buffer_t *buffer = hb_buffer_create();
  hb_buffer_add_utf8(buffer, word.data(), int(word.size()), 0, -1);
  hb_buffer_guess_segment_properties(buffer);
  const hb_feature_t noKerning{HB_TAG('k', 'e', 'r', 'n'), 0, 0, ~0u};
  if (joined) hb_shape(font, buffer, &noKerning, 1);
  unsigned count = 0;
  const hb_glyph_info_t *glyphs = hb_buffer_get_glyph_infos(buffer, &count);
  const hb_glyph_position_t *at = hb_buffer_get_glyph_positions(buffer, &count);
  Points ink;
  hb_position_t pen = 0;
  for (unsigned i = 0; i < count; ++i) {
    const unsigned letter = count - 1 - i;
    if (joined)
      FT_Load_Glyph(face, glyphs[i].codepoint, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO);
    else
      FT_Load_Char(face, glyphs[letter].codepoint, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO);
    const FT_GlyphSlot g = face->glyph;
    const int x = (pen + (joined ? at[i].x_offset : 0) + 32) / 64 + g->bitmap_left;
    const int y = ascent - g->bitmap_top - (joined ? (at[i].y_offset + 32) / 64 : 0);
    for (unsigned row = 0; row < g->bitmap.rows; ++row)
      for (unsigned column = 0; column < g->bitmap.width; ++column)
        if ((g->bitmap.buffer[row * unsigned(g->bitmap.pitch) + column / 8] >> (7 - column % 8)) &
            1)
          ink.insert({x + int(column), y + int(row)});
    pen += joined ? at[i].x_advance : hb_position_t(g->advance.x);
  }
  hb_buffer_destroy(buffer);
  hb_font_destroy(font);
  FT_Done_Face(face);
  FT_Done_FreeType(library);
  return ink;
}

// Whether every pixel of `part`, moved right by `dx`, is inked in `whole`.
bool Holds(const Points &whole, const Points &part, int dx) {
  for (const auto &[x, y] : part)
    if (!whole.count({x + dx, y})) return false;
  return !part.empty();
}

}  // namespace

// Arabic and Persian letters take the forms their neighbours ask: a word is
// drawn as HarfBuzz shapes it, not as its letters' own glyphs side by side.
TEST(Shaping, ArabicLettersJoinAsTheFontShapesThem) {
  for (const char *word : {"منبع", "اهم", "الحمل", "ایستاده", "تلف‌شده"}) {
    SCOPED_TRACE(word);
    const Drawing drawn = Draw(word);
    EXPECT_EQ(drawn.kept, word);
    EXPECT_EQ(drawn.ink, Reference(word, true, drawn.ascent));
    EXPECT_NE(drawn.ink, Reference(word, false, drawn.ascent));
  }
}

// Read from the right, the Latin start of a readout stands right of its
// Arabic unit; read from the left, left of it. The text layer keeps the
// characters in the order they are read.
TEST(Shaping, ATextReadFromTheRightStartsAtTheRight) {
  const std::string latin = "Z1 = 46.2 + j19.2", arabic = "أوم", text = latin + " " + arabic;
  const Drawing latinAlone = Draw(latin), arabicAlone = Draw(arabic);
  struct Case {
    const char *name;
    UINT options;
    bool latinRight;
  };
  for (const Case &c :
       {Case{"from the right", ETO_RTLREADING, true}, Case{"from the left", 0, false}}) {
    SCOPED_TRACE(c.name);
    const Drawing drawn = Draw(text, c.options);
    EXPECT_EQ(drawn.kept, text);
    EXPECT_EQ(drawn.width, latinAlone.width + Draw(" ").width + arabicAlone.width);
    const int latinAt = c.latinRight ? drawn.width - latinAlone.width : 0;
    const int arabicAt = c.latinRight ? 0 : drawn.width - arabicAlone.width;
    EXPECT_TRUE(Holds(drawn.ink, latinAlone.ink, latinAt));
    EXPECT_TRUE(Holds(drawn.ink, arabicAlone.ink, arabicAt));
  }
}

// However many texts a long session shapes, a text and a glyph drawn again
// are drawn as they were.
TEST(Shaping, ManyTextsLaterATextIsDrawnAsBefore) {
  Sheet sheet(600, 100);
  const Drawing word = Draw(sheet, "منبع"), letter = Draw(sheet, "Ж");
  for (int i = 0; i < 1000; ++i) Draw(sheet, "منبع " + std::to_string(i));
  EXPECT_EQ(Draw(sheet, "منبع").ink, word.ink);
  EXPECT_EQ(Draw(sheet, "Ж").ink, letter.ink);
}
