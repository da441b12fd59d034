// Which colour the screen shows for each of the program's: a backend may
// show a program colour as another, as the system's contrast or the user's
// colour vision asks, so the program keeps its own. Lines (pens and single
// pixels) and text are mapped apart: one red may be a wave's line and a
// text. A colour not mapped shows as it is; with no map, every one does.
#pragma once

#include "platform/win.h"

enum class Ink { Line, Text };

// Colours mapped per ink; a map beyond these is not kept.
constexpr int kMaxMappedColours = 8;

// From now on the program's `from` in that ink shows as `to`.
void MapColour(Ink, COLORREF from, COLORREF to);
// Every colour shows as the program gives it.
void ClearColourMap();

// What a user may ask of the colours, as bits: more contrast, and colours
// that every kind of colour vision tells apart.
constexpr int kMoreContrast = 1, kDistinctColours = 2;
// Under an option, the program's `from` in that ink shows as `to`.
struct ColourSwap {
  int option;
  Ink ink;
  COLORREF from, to;
};
// The program's swaps, ending with option 0, as it attaches them to its
// window (SetPropA), for a system that offers the options.
constexpr char kColourSwapsProp[] = "ColourSwaps";
// Maps the colours as the options asked have them, swap by swap in order,
// the map cleared before; with no swaps every colour shows as it is.
void MapColourOptions(const ColourSwap *swaps, int asked);
// The colour the screen shows for the program's `color` in that ink.
COLORREF ShownColour(Ink, COLORREF color);
