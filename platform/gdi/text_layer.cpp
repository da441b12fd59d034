// The texts a surface shows, in fixed storage: a tick that redraws its
// readouts touches no heap.
#include "platform/gdi/text_layer.h"

#include <algorithm>
#include <iterator>

bool SameText(const ShownText &a, const ShownText &b) {
  return a.Text() == b.Text() && a.box == b.box && a.cellHeight == b.cellHeight &&
         a.bold == b.bold && a.color == b.color;
}

// Recorded as of the change that takes it away, which follows.
void RecordGone(TextLayer &layer, const ShownText &text) {
  GoneText &slot = layer.gone[layer.goneNext];
  if (layer.goneCount == kMaxGone) layer.goneLostAt = slot.at;
  slot = GoneText{text.id, text.came, layer.changes + 1};
  layer.goneNext = (layer.goneNext + 1) % kMaxGone;
  layer.goneCount = std::min(layer.goneCount + 1, kMaxGone);
}

void RememberText(Surface &s, ShownText text) {
  TextLayer &layer = s.texts;
  const auto shown = std::begin(layer.texts), end = shown + layer.count;
  if (std::any_of(shown, end, [&](const ShownText &t) { return SameText(t, text); })) return;
  if (layer.count == kMaxTexts) {
    RecordGone(layer, *shown);
    std::move(shown + 1, end, shown), --layer.count;
  }
  ++layer.changes;
  if (!text.id) text.id = ++layer.lastId, text.came = layer.changes;
  if (!text.drawn) text.drawn = layer.changes;
  layer.texts[layer.count++] = text;
}
