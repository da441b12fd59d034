// The canvas's texts handed to the page (texts.js) whenever they change, for
// assistive technology, the browser's find and copying; and what the
// drawing core says of them, to the page's live region.
#include "platform/gdi/reading.h"
#include "platform/web/internal.h"

namespace {

TextReader g_reader;  // where the page's texts stand

}  // namespace

bool DriverTellTexts(Window *w) {
  static TextChanges c;
  static PageText texts[kMaxTexts];  // no allocation as a run goes
  if (w != Canvas()) return false;
  if (!ReadTextChanges(w->surface, g_reader, c)) return true;
  const int count = c.now.count;
  for (int i = 0; i < count; ++i) {
    const ShownText &t = *c.now.texts[i];
    texts[i] = {t.chars,      t.length, t.box.left, t.box.top,      t.box.right,     t.box.bottom,
                t.cellHeight, t.bold,   int(t.id),  c.now.block[i], int(c.change[i])};
  }
  web_texts(texts, count, c.went, c.wentCount, c.afresh);
  return true;
}

void DriverSay(Window *, const Utterance &u) { web_say(u.chars, u.length); }
