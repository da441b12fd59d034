// The colours the page shows for the program's: as the options the page's
// address or the system's contrast setting ask for map them. The program
// keeps drawing in its own; the drawing core maps them where they become
// pixels.
#include "platform/gdi/colour_map.h"
#include "platform/web/internal.h"

extern "C" {
// colours.js
int web_colours_asked();
void web_follow_contrast(void (*changed)());
}

namespace {

HWND g_window = nullptr;

void MapColoursAsked() {
  const auto *swaps = static_cast<const ColourSwap *>(GetPropA(g_window, kColourSwapsProp));
  MapColourOptions(swaps, web_colours_asked());
}

// Called from the page's event, while the program waits: the new colours
// take the whole picture at once, since a line drawn inverted must be
// drawn again in the same colour to go.
void ContrastChanged() {
  MapColoursAsked();
  InvalidateRect(g_window, nullptr, 1);
}

}  // namespace

void UseColoursAsked(HWND window) {
  if (!g_window) web_follow_contrast(ContrastChanged);
  g_window = window;
  MapColoursAsked();
}
