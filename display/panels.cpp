// The value labels beside the source and the load, rewritten on every WM_PAINT.
#include "display/panels.h"

#include "display/pens_fonts.h"
#include "model/fixed_format.h"
#include "model/line_model.h"
#include "model/resistances.h"

namespace {

void WriteLabel(HDC hdc, const PanelLabel &label) {
  TextOutA(hdc, label.x, label.y, label.text.data(), int(label.text.size()));
}

}  // namespace

std::array<PanelLabel, 7> SourcePanelLabels(int width, int height, int lineHeight,
                                            double sourceOhms) {
  const SourceFigures figures = ComputeSourceFigures(sourceOhms);
  const int y0 = (3 * height) / 4;  // top of the source circle
  const int valuesX = width / 7;
  const int noteX = width / 6;
  // The trailing blanks belong to the labels and are written as white cells.
  return {{
      {valuesX, y0 - 4 * lineHeight, FormatFixed(sourceOhms, 1) + " ohms "},
      {valuesX, y0 - 3 * lineHeight, "VSWR = " + FormatFixed(figures.vswr, 2) + " "},
      {valuesX, y0 - 2 * lineHeight, "Rho = " + FormatFixed(figures.rho, 3) + " "},
      {noteX, y0, "Output set to 1V"},
      {noteX, y0 + lineHeight, "across a 50-ohm load"},
      {noteX, y0 + 2 * lineHeight, "(+13 dBm)"},
      {noteX, y0 + 3 * lineHeight, "(EMF = " + FormatFixed(figures.emf, 2) + "V)  "},
  }};
}

PanelLabel LoadPanelLabel(int width, int height, double loadOhms) {
  return {(3 * width) / 4 + 20, height / 4 + 30, FormatFixed(loadOhms, 1) + " ohms  "};
}

void DrawSourcePanel(HDC hdc, int width, int height, int lineHeight) {
  SelectObject(hdc, g_textFont);
  for (const PanelLabel &label : SourcePanelLabels(width, height, lineHeight, g_sourceOhms))
    WriteLabel(hdc, label);
}

void DrawLoadPanel(HDC hdc, int width, int height) {
  SelectObject(hdc, g_textFont);
  WriteLabel(hdc, LoadPanelLabel(width, height, g_loadOhms));
}
