// Keeping a surface's texts as they are drawn and painted over, shared by
// the drawing core's files only.
#pragma once

#include <cstdint>
#include <utility>

#include "platform/gdi/surface.h"

// Whether a painting that covers `covered` of the box's logical pixels takes
// its text away: more than half of them.
inline bool MostlyCovered(const Rect &box, long long covered) { return 2 * covered > box.Area(); }

// Records that a text went, for the readers that knew it.
void RecordGone(TextLayer &, const ShownText &);

// Forgets each text for which `gone(text)` holds, keeping the others' order.
// The one whose identity `passedOn` names lives on in a text drawn in its
// place, and is not recorded as gone.
template <class Gone>
void ForgetTexts(Surface &s, Gone gone, std::uint32_t passedOn = 0) {
  TextLayer &layer = s.texts;
  int kept = 0;
  for (int i = 0; i < layer.count; ++i) {
    if (gone(std::as_const(layer.texts[i]))) {
      if (layer.texts[i].id != passedOn) RecordGone(layer, layer.texts[i]);
      continue;
    }
    if (kept != i) layer.texts[kept] = layer.texts[i];
    ++kept;
  }
  if (kept == layer.count) return;
  layer.count = kept;
  ++layer.changes;
}

// Adds a text as the newest; the same text drawn again where it stands
// changes nothing. A text with no identity gets a new one.
void RememberText(Surface &, ShownText);
bool SameText(const ShownText &, const ShownText &);
