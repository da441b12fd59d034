// The colour map, in fixed storage: looked up at every line, pixel and text
// drawn.
#include "platform/gdi/colour_map.h"

#include <algorithm>

namespace {

struct Mapped {
  COLORREF from, to;
};
struct InkMap {
  Mapped colours[kMaxMappedColours];
  int count = 0;
};
InkMap g_maps[2];  // by Ink

InkMap &MapOf(Ink ink) { return g_maps[int(ink)]; }

// Where `from` stands in the map, or the map's count when it is not there.
int Find(const InkMap &map, COLORREF from) {
  int i = 0;
  while (i < map.count && map.colours[i].from != from) ++i;
  return i;
}

}  // namespace

void MapColour(Ink ink, COLORREF from, COLORREF to) {
  InkMap &map = MapOf(ink);
  const int i = Find(map, from);
  if (i == kMaxMappedColours) return;
  map.colours[i] = Mapped{from, to};
  map.count = std::max(map.count, i + 1);
}

void ClearColourMap() {
  for (InkMap &map : g_maps) map.count = 0;
}

void MapColourOptions(const ColourSwap *swaps, int asked) {
  ClearColourMap();
  for (const ColourSwap *s = swaps; s && s->option; ++s)
    if (asked & s->option) MapColour(s->ink, s->from, s->to);
}

COLORREF ShownColour(Ink ink, COLORREF color) {
  const InkMap &map = MapOf(ink);
  const int i = Find(map, color);
  return i < map.count ? map.colours[i].to : color;
}
