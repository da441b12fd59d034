// Fonts and text, drawn from each font's glyph ink.
//
// The program measures and places text in logical pixels with the font's
// 100% metrics. At another scale each glyph is drawn from the font made at
// the scaled height, standing where it stands at 100%, scaled, so a text
// ends where the program measured it to end.
#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>

#include "platform/gdi/colour_map.h"
#include "platform/gdi/context.h"
#include "platform/gdi/text_layer.h"
#include "platform/gdi/utf8.h"

namespace {

// Cells higher than this are made at this height: larger would take the
// backend seconds to render and fill more than any screen.
constexpr int kTallestCell = 1024;

// The Chinese of Taiwan, Hong Kong and Macao, and Chinese named as written
// in traditional characters; the others write simplified ones.
constexpr int kTraditionalChinese[] = {SUBLANG_CHINESE_TRADITIONAL, 0x03, 0x05, 0x1f};

// The ink of the font at the surface's scale, made when first drawn there.
GlyphInk &InkAt(GdiObject &font, double scale) {
  if (scale == 1.0) return *font.ink;
  if (!font.scaled || font.scaledFor != scale) {
    FontFace face = font.face;
    face.cellHeight = std::clamp(int(std::lround(face.cellHeight * scale)), 1, kTallestCell);
    font.scaled = MakeFontInk(face);
    font.scaledFor = scale;
  }
  return *font.scaled;
}

// The text as the surface keeps it, in its box of logical pixels: the
// characters drawn, as many as fit whole.
ShownText TextToShow(HDC dc, const Rect &box, std::string_view text) {
  ShownText shown;
  for (std::size_t at = 0; at < text.size();) {
    char bytes[4];
    const int n = EncodeUtf8(NextCharacter(text, at), bytes);
    if (shown.length + n > kMaxTextBytes) break;
    std::memcpy(shown.chars + shown.length, bytes, std::size_t(n));
    shown.length += n;
  }
  shown.box = box;
  shown.cellHeight = dc->font->face.cellHeight;
  shown.bold = dc->font->face.bold;
  shown.color = dc->textColor;
  shown.painted = dc->paint;
  return shown;
}

// Whether a text drawn over another stands where it stood: the same top,
// and the edge its alignment holds, whatever its new length.
bool StandsWhere(const ShownText &old, const ShownText &text) {
  return old.box.top == text.box.top &&
         (old.box.left == text.box.left || old.box.right == text.box.right);
}

// An opaque box takes away the texts it mostly covers, but for the same
// text drawn again where it stands, which stays as it was. A text drawn
// anew where another stood is that text redrawn: a readout keeps its
// identity whatever it reads.
void Show(Surface &s, ShownText text, bool opaque) {
  if (opaque) {
    const TextLayer &layer = s.texts;
    for (int i = 0; i < layer.count && !text.id; ++i) {
      const ShownText &old = layer.texts[i];
      if (SameText(old, text) || !StandsWhere(old, text) ||
          !MostlyCovered(old.box, (old.box & text.box).Area()))
        continue;
      text.id = old.id;
      text.came = old.came;
      text.drawn = old.Text() == text.Text() ? old.drawn : 0;
    }
    ForgetTexts(
        s,
        [&](const ShownText &old) {
          return !SameText(old, text) && MostlyCovered(old.box, (old.box & text.box).Area());
        },
        text.id);
  }
  RememberText(s, text);
}

// Fills a glyph's or a shaped text's runs from its origin, clipped to the
// surface; the pixels filled, or an empty rectangle.
Rect FillRuns(Surface &s, const GlyphInk &ink, Glyph glyph, int originX, int originY,
              std::uint32_t color) {
  const Rect all{0, 0, s.width, s.height};
  Rect inked;
  for (int r = glyph.first; r < glyph.end; ++r) {
    const InkRun &run = ink.runs[std::size_t(r)];
    const Rect line =
        Rect{originX + run.x, originY + run.y, originX + run.x + run.length, originY + run.y + 1} &
        all;
    if (line.Empty()) continue;
    std::fill(s.pixels + std::size_t(line.top) * s.stride + line.left,
              s.pixels + std::size_t(line.top) * s.stride + line.right, color);
    inked = inked | line;
  }
  return inked;
}

// How far a shaped text's ink reaches past its advance on either side, as a
// final letter's tail does. Its box takes that in, so that its background
// leaves no ink of an earlier reading behind.
struct InkReach {
  long long before = 0, after = 0;
};
InkReach ReachOf(const GlyphInk &ink, const Glyph &text) {
  InkReach reach;
  for (int r = text.first; r < text.end; ++r) {
    const InkRun &run = ink.runs[std::size_t(r)];
    reach.before = std::max<long long>(reach.before, -run.x);
    reach.after = std::max<long long>(reach.after, run.x + run.length - text.advance);
  }
  return reach;
}

}  // namespace

HFONT CreateFontIndirectA(const LOGFONTA *lf) {
  std::string face(lf->lfFaceName, strnlen(lf->lfFaceName, sizeof lf->lfFaceName));
  bool bold = lf->lfWeight >= 600;
  // "Arial Bold" names a face of the Arial family, not a family.
  if (face.ends_with(" Bold")) {
    face.resize(face.size() - 5);
    bold = true;
  }
  face = SubstituteFace(face);
  const long long height = lf->lfHeight == 0 ? 16 : std::abs((long long)lf->lfHeight);
  const int cell = int(std::min<long long>(height, kTallestCell));
  auto *font =
      new GdiObject{GdiObject::Kind::Font, 0, 0, {face, bold, cell}, false, nullptr, nullptr, 0};
  font->ink = MakeFontInk(font->face);
  return font;
}

BOOL GetTextMetricsA(HDC dc, TEXTMETRICA *tm) {
  if (!dc || !tm) return 0;
  const GdiObject &font = *dc->font;
  const GlyphInk &ink = *font.ink;
  tm->tmHeight = font.face.cellHeight;
  tm->tmAscent = ink.ascent;
  tm->tmDescent = font.face.cellHeight - ink.ascent;
  tm->tmInternalLeading = ink.internalLeading;
  tm->tmExternalLeading = ink.externalLeading;
  tm->tmAveCharWidth = ink.aveCharWidth;
  tm->tmMaxCharWidth = ink.maxCharWidth;
  return 1;
}

// Each character advanced by its own width from the start point, as the
// platform draws text: a digit is as wide in "1.111V" as in "1.000V". A
// text whose letters join, or read from the right, is drawn as the backend
// shapes it whole.
BOOL TextOutA(HDC dc, int x, int y, LPCSTR chars, int length) {
  if (!dc || !chars || length <= 0) return 0;
  Surface &s = *dc->surface;
  GlyphInk &logical = *dc->font->ink;
  GlyphInk &ink = InkAt(*dc->font, s.scale);
  const std::string_view text(chars, std::size_t(length));
  const bool rightToLeft = dc->align & TA_RTLREADING;
  const bool whole = ShapedAsWhole(text, rightToLeft);
  long long width = 0;
  InkReach reach;
  if (whole) {
    const Glyph shaped = ShapedTextOf(logical, text, rightToLeft);
    width = shaped.advance;
    reach = ReachOf(logical, shaped);
  } else {
    for (std::size_t at = 0; at < text.size();)
      width += GlyphOf(logical, NextCharacter(text, at)).advance;
  }
  long long left = x;
  if ((dc->align & TA_CENTER) == TA_CENTER)
    left -= width / 2;
  else if (dc->align & TA_RIGHT)
    left -= width;
  const long long from = left - reach.before, to = left + width + reach.after;
  const Rect box{ToDevice(from, s.scale), ToDevice(y, s.scale), ToDevice(to, s.scale),
                 ToDevice((long long)y + dc->font->face.cellHeight, s.scale)};
  const Rect all{0, 0, s.width, s.height};
  // A text wholly outside the client area shows nothing.
  if (!(box & all).Empty()) {
    const Rect place{int(std::max(from, -kFar)), y, int(std::min(to, kFar)),
                     y + dc->font->face.cellHeight};
    Show(s, TextToShow(dc, place, text), dc->bkMode == OPAQUE);
  }
  if (dc->bkMode == OPAQUE) FillDevice(s, box, Pixel(dc->bkColor));
  const std::uint32_t color = Pixel(ShownColour(Ink::Text, dc->textColor));
  Rect inked = box & all;
  if (whole) {
    inked = inked | FillRuns(s, ink, ShapedTextOf(ink, text, rightToLeft), ToDevice(left, s.scale),
                             box.top, color);
  } else {
    long long penX = left;
    for (std::size_t at = 0; at < text.size();) {
      const char32_t c = NextCharacter(text, at);
      inked = inked | FillRuns(s, ink, GlyphOf(ink, c), ToDevice(penX, s.scale), box.top, color);
      penX += GlyphOf(logical, c).advance;
    }
  }
  MarkChanged(s, inked);
  return 1;
}

Glyph GlyphOf(GlyphInk &ink, char32_t c) {
  if (c < 256) return Glyph{ink.advance[c], ink.first[c], ink.first[c + 1]};
  if (const auto made = ink.more.find(c); made != ink.more.end()) return made->second;
  const int first = int(ink.runs.size());
  const int advance = MakeGlyph(ink.face, c, ink);
  return ink.more.emplace(c, Glyph{advance, first, int(ink.runs.size())}).first->second;
}

HanForm HanFormOf(LANGID language) {
  switch (PRIMARYLANGID(language)) {
    case LANG_KOREAN:
      return HanForm::Korean;
    case LANG_CHINESE:
      return std::count(std::begin(kTraditionalChinese), std::end(kTraditionalChinese),
                        SUBLANGID(language))
                 ? HanForm::Traditional
                 : HanForm::Simplified;
    default:
      return HanForm::Japanese;
  }
}

std::unique_ptr<GlyphInk> MakeFontInk(FontFace face) {
  face.han = HanFormOf(GetUserDefaultUILanguage());
  auto ink = MakeGlyphInk(face);
  ink->face = face;
  return ink;
}
