// Keeping a surface's texts as they are drawn and painted over, shared by
// the drawing core's files only.
#pragma once

#include <utility>

#include "platform/gdi/surface.h"

// Whether a painting that covers `covered` of the box's logical pixels takes
// its text away: more than half of them.
inline bool MostlyCovered(const Rect &box, long long covered) { return 2 * covered > box.Area(); }

// Forgets each text for which `gone(text)` holds, keeping the others' order.
template <class Gone>
void ForgetTexts(Surface &s, Gone gone) {
  TextLayer &layer = s.texts;
  int kept = 0;
  for (int i = 0; i < layer.count; ++i) {
    if (gone(std::as_const(layer.texts[i]))) continue;
    if (kept != i) layer.texts[kept] = layer.texts[i];
    ++kept;
  }
  if (kept == layer.count) return;
  layer.count = kept;
  ++layer.changes;
}

// Adds a text as the newest; the same text drawn again where it stands
// changes nothing.
void RememberText(Surface &, const ShownText &);
bool SameText(const ShownText &, const ShownText &);
