// The texts a surface shows, in fixed storage: a tick that redraws its
// readouts touches no heap.
#include "platform/gdi/text_layer.h"

#include <algorithm>
#include <iterator>

bool SameText(const ShownText &a, const ShownText &b) {
  return a.Text() == b.Text() && a.box == b.box && a.cellHeight == b.cellHeight &&
         a.bold == b.bold && a.color == b.color;
}

void RememberText(Surface &s, const ShownText &text) {
  TextLayer &layer = s.texts;
  const auto shown = std::begin(layer.texts), end = shown + layer.count;
  if (std::any_of(shown, end, [&](const ShownText &t) { return SameText(t, text); })) return;
  if (layer.count == kMaxTexts) std::move(shown + 1, end, shown), --layer.count;
  layer.texts[layer.count++] = text;
  ++layer.changes;
}

int TextsInReadingOrder(const Surface &s, const ShownText *(&order)[kMaxTexts]) {
  const TextLayer &layer = s.texts;
  for (int i = 0; i < layer.count; ++i) order[i] = &layer.texts[i];
  // Texts that start at the same point go oldest first, as they lie in the array.
  std::sort(order, order + layer.count, [](const ShownText *a, const ShownText *b) {
    if (a->box.top != b->box.top) return a->box.top < b->box.top;
    if (a->box.left != b->box.left) return a->box.left < b->box.left;
    return a < b;
  });
  return layer.count;
}
