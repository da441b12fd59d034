// The order a screen reader reads a surface's texts in, and what changed
// in them since a reader last asked.
#include "platform/gdi/reading.h"

#include <algorithm>
#include <cstdlib>

namespace {

// Whether `below` is the line after `above` in one block: it starts about a
// line's height lower and shares an edge or the centre.
bool Follows(const ShownText &above, const ShownText &below) {
  const Rect &a = above.box, &b = below.box;
  const int step = b.top - a.top, line = above.cellHeight;
  if (std::abs(step - line) > line / 4) return false;
  return a.left == b.left || a.right == b.right ||
         std::abs((a.left + a.right) - (b.left + b.right)) <= 1;
}

bool Above(const ShownText *a, const ShownText *b) {
  if (a->box.top != b->box.top) return a->box.top < b->box.top;
  if (a->box.left != b->box.left) return a->box.left < b->box.left;
  return a < b;  // texts that start at the same point go oldest first
}

}  // namespace

void ReadTexts(const Surface &s, Reading &r) {
  const TextLayer &layer = s.texts;
  const ShownText *byTop[kMaxTexts];
  int blockOf[kMaxTexts], blocks = 0;
  r.count = layer.count;
  for (int i = 0; i < layer.count; ++i) byTop[i] = &layer.texts[i];
  std::sort(byTop, byTop + r.count, Above);
  // Each line joins the block of the nearest line above that it follows.
  for (int i = 0; i < r.count; ++i) {
    blockOf[i] = -1;
    for (int j = i - 1; j >= 0 && blockOf[i] < 0; --j)
      if (Follows(*byTop[j], *byTop[i])) blockOf[i] = blockOf[j];
    if (blockOf[i] < 0) blockOf[i] = blocks++;
  }
  // Blocks were numbered by their first lines, top to bottom and then left
  // to right: read block by block, each line in its block's place.
  int at = 0;
  for (int b = 0; b < blocks; ++b)
    for (int i = 0; i < r.count; ++i)
      if (blockOf[i] == b) r.texts[at] = byTop[i], r.block[at++] = b;
}

bool ReadTextChanges(const Surface &s, TextReader &reader, TextChanges &c) {
  const TextLayer &layer = s.texts;
  if (reader.started && layer.changes == reader.seen) return false;
  ReadTexts(s, c.now);
  c.afresh = !reader.started || layer.goneLostAt > reader.seen;
  c.wentCount = 0;
  for (int i = 0; i < c.now.count; ++i) {
    const ShownText &t = *c.now.texts[i];
    c.change[i] = c.afresh || t.came > reader.seen ? TextChanges::Came
                  : t.drawn > reader.seen          ? TextChanges::Renamed
                                                   : TextChanges::Kept;
  }
  if (!c.afresh)
    for (int k = 0; k < layer.goneCount; ++k) {
      const GoneText &g = layer.gone[(layer.goneNext - 1 - k + kMaxGone) % kMaxGone];
      if (g.at <= reader.seen) break;
      if (g.came <= reader.seen) c.went[c.wentCount++] = g.id;
    }
  reader.seen = layer.changes;
  reader.started = true;
  return true;
}
