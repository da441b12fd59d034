// The canvas's texts handed to the page (texts.js) whenever they change, for
// assistive technology, the browser's find and copying.
#include <cstdint>

#include "platform/gdi/reading.h"
#include "platform/web/internal.h"

namespace {

std::uint64_t g_handed = ~std::uint64_t(0);  // the changes count last handed over

}  // namespace

void HandTextsOver(const Surface &s) {
  if (s.texts.changes == g_handed) return;
  g_handed = s.texts.changes;
  static Reading r;
  static PageText texts[kMaxTexts];  // no allocation as a run goes
  ReadTexts(s, r);
  const int count = r.count;
  for (int i = 0; i < count; ++i) {
    const ShownText &t = *r.texts[i];
    texts[i] = {t.chars,     t.length,     t.box.left,   t.box.top,
                t.box.right, t.box.bottom, t.cellHeight, t.bold};
  }
  web_texts(texts, count);
}
