// Texts in UTF-8, as the A calls take them under code page UTF-8: each
// character drawn from its own glyph, the CJK ones from the CJK face.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/gdi/reading.h"
#include "tests/platform/gdi/sheet.h"

// Each character advances by its own width, FreeType's at the stock font's
// 14 pixels: a CJK character a whole em. What is not UTF-8 is drawn and kept
// as U+FFFD; a text too long for the layer keeps its whole characters only,
// and its whole box. Drawn through UTF-16, as Windows' GDI takes Unicode, it
// gives the same characters and pixels, a character beyond the BMP as a
// surrogate pair, and too small a buffer as nothing.
TEST(Characters, EachIsDrawnAndKeptAsTheUtf8Says) {
  std::string kanji100;
  for (int i = 0; i < 100; ++i) kanji100 += "日";
  struct Case {
    const char *name;
    std::string drawn, kept;
    int width;  // 0: as wide as `kept` drawn
  };
  const Case cases[] = {
      {"Cyrillic", "Привет", "Привет", 9 + 8 + 8 + 7 + 8 + 7},
      {"Polish", "Łódź", "Łódź", 8 + 8 + 8 + 6},
      {"Vietnamese", "Tiếng Việt", "Tiếng Việt", 9 + 3 + 8 + 8 + 8 + 4 + 9 + 3 + 8 + 4},
      {"Japanese", "日本語です", "日本語です", 5 * 14},
      {"a stray continuation byte", "a\x80z", "a\uFFFDz", 0},
      {"a truncated sequence", "a\xE6\x97", "a\uFFFD", 0},
      {"an overlong form", "\xC0\xAFz", "\uFFFD\uFFFDz", 0},
      {"a surrogate", "\xED\xA0\x80", "\uFFFD\uFFFD\uFFFD", 0},
      {"beyond the BMP", "\xF0\x9D\x84\x9E clef", "\xF0\x9D\x84\x9E clef", 0},
      {"too long", kanji100, kanji100.substr(0, 85 * 3), 100 * 14},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    Sheet sheet;
    // Where each character kept starts and ends, measured alone.
    std::vector<std::string> characters;
    std::vector<int> edges{0};
    for (std::size_t at = 0, end; at < c.kept.size(); at = end) {
      for (end = at + 1; end < c.kept.size() && (c.kept[end] & 0xC0) == 0x80;) ++end;
      characters.push_back(c.kept.substr(at, end - at));
      edges.push_back(sheet.Width(c.kept.substr(0, end)));
    }
    sheet.Text(0, 0, c.drawn);
    const TextLayer &layer = sheet.surface.texts;
    ASSERT_EQ(layer.count, 1);
    EXPECT_EQ(layer.texts[0].Text(), c.kept);
    EXPECT_EQ(layer.texts[0].box.Width(), c.width ? c.width : edges.back());
    // Every character but a blank leaves ink between its edges.
    for (std::size_t i = 0; i < characters.size() && edges[i + 1] <= 400; ++i) {
      int ink = 0;
      for (int y = 0; y < Sheet::kLine; ++y)
        for (int x = edges[i]; x < edges[i + 1]; ++x)
          ink += sheet.pixels[std::size_t(y) * 400 + std::size_t(x)] != 0xffffffffu;
      EXPECT_EQ(ink > 0, characters[i] != " ") << characters[i];
    }
    WCHAR wide[320];
    const int size = int(c.drawn.size()),
              units = MultiByteToWideChar(CP_UTF8, 0, c.drawn.data(), size, wide, 320);
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, c.drawn.data(), size, nullptr, 0), units);
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, c.drawn.data(), size, wide, units - 1), 0);
    Sheet wideSheet;
    TextOutW(wideSheet.dc, 0, 0, wide, units);
    EXPECT_EQ(wideSheet.surface.texts.texts[0].Text(), c.kept);
    EXPECT_TRUE(wideSheet.pixels == sheet.pixels);
  }
  WCHAR clef[2];
  MultiByteToWideChar(CP_UTF8, 0, "\xF0\x9D\x84\x9E", 4, clef, 2);
  EXPECT_EQ(clef[0], 0xD834);
  EXPECT_EQ(clef[1], 0xDD1E);
}

// A Han character takes the forms a reader of the user's language expects:
// 骨 is drawn three ways, as Japan, China and Taiwan write it.
TEST(Characters, HanCharactersTakeTheFormsOfTheUsersLanguage) {
  struct Case {
    LANGID language;
    HanForm han;
  };
  const Case cases[] = {{0x0411, HanForm::Japanese},    {0x0412, HanForm::Korean},
                        {0x0804, HanForm::Simplified},  {0x1004, HanForm::Simplified},
                        {0x0404, HanForm::Traditional}, {0x0c04, HanForm::Traditional},
                        {0x0407, HanForm::Japanese},    {0x0409, HanForm::Japanese}};
  for (const Case &c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << c.language);
    EXPECT_EQ(HanFormOf(c.language), c.han);
  }
  std::vector<std::vector<short>> drawn;
  for (HanForm han : {HanForm::Japanese, HanForm::Simplified, HanForm::Traditional}) {
    GlyphInk ink;
    MakeGlyph(FontFace{"Liberation Sans", false, 40, han}, U'骨', ink);
    drawn.emplace_back();
    for (const InkRun &r : ink.runs) drawn.back().insert(drawn.back().end(), {r.x, r.y, r.length});
  }
  EXPECT_NE(drawn[0], drawn[1]);
  EXPECT_NE(drawn[0], drawn[2]);
  EXPECT_NE(drawn[1], drawn[2]);
}

// A face's name is drawn as its substitute: a translated dialog's "MS Shell
// Dlg" as the English dialog's "MS Sans Serif", so that both keep one size.
TEST(Characters, AFaceIsDrawnAsItsSubstitute) {
  struct Case {
    const char *name, *drawn;
  };
  const Case cases[] = {{"Arial", "Liberation Sans"},
                        {"MS Shell Dlg", "MS Sans Serif"},
                        {"MS Sans Serif", "MS Sans Serif"},
                        {"Liberation Sans", "Liberation Sans"}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(FamiliesFor(c.name, HanForm::Japanese).front(), c.drawn);
  }
}

// A listener hears a letter of any script as a letter.
TEST(Characters, LettersOfEveryScriptTakeALettersTime) {
  struct Case {
    const char *text;
    int ms;
  };
  const Case cases[] = {{"abc", 780},
                        {"Жук", 780},
                        {"日本語", 780},
                        {"한국어", 780},
                        {"é = 1", 600 + 60 + 430 + 420},
                        {"اهم", 780},
                        {"\u06F0\u066B\u06F5 \u0661", 600 + 420 + 430 + 420 + 420}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(SpeakingTimeMs(c.text, int(std::string(c.text).size())), c.ms);
  }
}
