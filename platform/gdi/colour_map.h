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
// The colour the screen shows for the program's `color` in that ink.
COLORREF ShownColour(Ink, COLORREF color);
