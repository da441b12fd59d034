// Arabic shaped by Qt's own text layout, as the driver draws it.
#include <gtest/gtest.h>
#include <hb.h>

#include <QGlyphRun>
#include <QTextLayout>
#include <vector>

#include "platform/gdi/surface.h"

namespace {

constexpr const char *kArabicFace = "/usr/share/fonts/truetype/noto/NotoSansArabic-Regular.ttf";
const FontFace kFace{"Liberation Sans", false, 40};

// The glyphs HarfBuzz gives for a word in the font file, from the left.
std::vector<quint32> HarfBuzzGlyphs(const char *word) {
  hb_blob_t *blob = hb_blob_create_from_file(kArabicFace);
  hb_face_t *face = hb_face_create(blob, 0);
  hb_font_t *font = hb_font_create(face);
  hb_buffer_t *buffer = hb_buffer_create();
  hb_buffer_add_utf8(buffer, word, -1, 0, -1);
  hb_buffer_guess_segment_properties(buffer);
  hb_shape(font, buffer, nullptr, 0);
  unsigned count = 0;
  const hb_glyph_info_t *glyphs = hb_buffer_get_glyph_infos(buffer, &count);
  std::vector<quint32> ids;
  for (unsigned i = 0; i < count; ++i) ids.push_back(glyphs[i].codepoint);
  hb_buffer_destroy(buffer);
  hb_font_destroy(font);
  hb_face_destroy(face);
  hb_blob_destroy(blob);
  return ids;
}

// The glyphs Qt lays the word out with in Noto Sans Arabic, from the left.
std::vector<quint32> QtGlyphs(const char *word) {
  QFont font("Noto Sans Arabic");
  font.setPixelSize(kFace.cellHeight);
  QTextLayout layout(QString::fromUtf8(word), font);
  layout.beginLayout();
  layout.createLine();
  layout.endLayout();
  std::vector<quint32> ids;
  for (const QGlyphRun &run : layout.glyphRuns()) {
    // A run read from the right holds its glyphs as read.
    const QList<quint32> glyphs = run.glyphIndexes();
    if (run.isRightToLeft())
      ids.insert(ids.end(), glyphs.rbegin(), glyphs.rend());
    else
      ids.insert(ids.end(), glyphs.begin(), glyphs.end());
  }
  return ids;
}

// The runs of a text the driver shapes, as x, y and length in a row.
std::vector<short> Shaped(GlyphInk &ink, const char *text, bool rightToLeft, int *advance) {
  const std::size_t first = ink.runs.size();
  *advance = MakeShapedText(kFace, text, rightToLeft, ink);
  std::vector<short> runs;
  for (std::size_t r = first; r < ink.runs.size(); ++r)
    runs.insert(runs.end(), {ink.runs[r].x, ink.runs[r].y, ink.runs[r].length});
  return runs;
}

}  // namespace

// Qt joins the letters as HarfBuzz does, and the driver draws what it lays
// out: a text read from the right is drawn otherwise than read from the
// left, as wide.
TEST(Shaping, QtJoinsArabicLettersAsHarfBuzzDoes) {
  const auto ink = MakeGlyphInk(kFace);
  for (const char *word : {"منبع", "اهم", "الحمل", "ایستاده", "تلف‌شده"}) {
    SCOPED_TRACE(word);
    EXPECT_EQ(QtGlyphs(word), HarfBuzzGlyphs(word));
  }
  int fromLeft = 0, fromRight = 0;
  const char *readout = "Z1 = 46.2 + j19.2 أوم";
  const std::vector<short> left = Shaped(*ink, readout, false, &fromLeft);
  EXPECT_FALSE(left.empty());
  EXPECT_NE(Shaped(*ink, readout, true, &fromRight), left);
  EXPECT_EQ(fromRight, fromLeft);
  EXPECT_GT(fromLeft, 0);
}
