// The colours the page shows for the program's: with more contrast, its pens
// and its red text darker; with distinct colours, the forward and the
// reflected wave in a blue and a vermilion that every kind of colour vision
// tells apart. The program keeps drawing in its own; the drawing core maps
// them where they become pixels.
#include "platform/web/colours.h"

#include "platform/gdi/colour_map.h"

extern "C" {
// colours.js
int web_colours_asked();
void web_follow_contrast(void (*changed)());
}

namespace {

// The bits web_colours_asked returns.
constexpr int kMoreContrast = 1;
constexpr int kDistinct = 2;

// The program's own.
constexpr COLORREF kRed = RGB(255, 0, 0);    // the reflected wave, the envelope; the keys
constexpr COLORREF kGreen = RGB(0, 150, 0);  // the forward wave
// Darker, with at least 4.5:1 on white, as small text needs.
constexpr COLORREF kDarkRed = RGB(192, 0, 0);
constexpr COLORREF kDarkGreen = RGB(0, 120, 0);
// Apart under protanopia, deuteranopia and tritanopia alike, and at least
// 3:1 on white.
constexpr COLORREF kBlue = RGB(0, 114, 178);
constexpr COLORREF kVermilion = RGB(213, 94, 0);

HWND g_window = nullptr;

void MapColoursAsked() {
  const int asked = web_colours_asked();
  ClearColourMap();
  if (asked & kMoreContrast) {
    MapColour(Ink::Text, kRed, kDarkRed);
    MapColour(Ink::Line, kRed, kDarkRed);
    MapColour(Ink::Line, kGreen, kDarkGreen);
  }
  if (asked & kDistinct) {
    MapColour(Ink::Line, kGreen, kBlue);
    MapColour(Ink::Line, kRed, kVermilion);
  }
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
  g_window = window;
  MapColoursAsked();
  web_follow_contrast(ContrastChanged);
}
