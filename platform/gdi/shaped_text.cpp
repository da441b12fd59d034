// Texts laid out as a whole by the backend: those whose letters join, and
// those read from the right, which the bidirectional algorithm orders.
#include <utility>
#include <vector>

#include "platform/gdi/context.h"
#include "platform/gdi/utf8.h"

namespace {

// Hebrew, Arabic, Syriac, Thaana, N'Ko and the scripts up to Arabic
// Extended-A, their presentation forms, and the joiners.
constexpr char32_t kShapedRanges[][2] = {
    {0x0590, 0x08FF}, {0xFB1D, 0xFDFF}, {0xFE70, 0xFEFF}, {0x200C, 0x200D}};

// Past this many a long session would keep ink without end: a run of the
// program draws far fewer different texts.
constexpr std::size_t kMaxShapedTexts = 256;

// Every shaped text of the ink goes, and with them their runs; the glyphs'
// runs stay, moved together.
void ForgetShapedTexts(GlyphInk &ink) {
  std::vector<InkRun> kept(ink.runs.begin(), ink.runs.begin() + ink.first[256]);
  for (auto &[c, glyph] : ink.more) {
    const int first = int(kept.size());
    kept.insert(kept.end(), ink.runs.begin() + glyph.first, ink.runs.begin() + glyph.end);
    glyph.first = first;
    glyph.end = int(kept.size());
  }
  ink.runs = std::move(kept);
  for (auto &texts : ink.shaped) texts.clear();
}

}  // namespace

bool ShapedAsWhole(std::string_view text, bool rightToLeft) {
  if (rightToLeft) return true;
  for (std::size_t at = 0; at < text.size();) {
    const char32_t c = NextCharacter(text, at);
    for (const auto &range : kShapedRanges)
      if (c >= range[0] && c <= range[1]) return true;
  }
  return false;
}

Glyph ShapedTextOf(GlyphInk &ink, std::string_view text, bool rightToLeft) {
  auto &texts = ink.shaped[rightToLeft ? 1 : 0];
  if (const auto made = texts.find(text); made != texts.end()) return made->second;
  if (ink.shaped[0].size() + ink.shaped[1].size() >= kMaxShapedTexts) ForgetShapedTexts(ink);
  const int first = int(ink.runs.size());
  const int advance = MakeShapedText(ink.face, text, rightToLeft, ink);
  return texts.emplace(text, Glyph{advance, first, int(ink.runs.size())}).first->second;
}
