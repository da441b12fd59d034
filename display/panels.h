// The value labels beside the source and the load.
#pragma once

#include <array>
#include <string>

#include "platform/win.h"

void DrawSourcePanel(HDC hdc, int width, int height, int lineHeight);
void DrawLoadPanel(HDC hdc, int width, int height);

// One label as the panels write it: the top left corner of its box and its text.
struct PanelLabel {
  int x, y;
  std::string text;
};

// The source's resistance, VSWR and Rho beside its resistor, then its
// calibration note with the EMF beside the circle, in the order written.
std::array<PanelLabel, 7> SourcePanelLabels(int width, int height, int lineHeight,
                                            double sourceOhms);
// The load's resistance beside its resistor.
PanelLabel LoadPanelLabel(int width, int height, double loadOhms);
