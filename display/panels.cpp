// The value labels beside the source and the load, rewritten on every WM_PAINT.
#include "display/panels.h"

#include "display/pens_fonts.h"
#include "display/resource_text.h"
#include "model/line_model.h"
#include "model/resistances.h"

namespace {

template <typename... Values>
std::string Text(UINT id, Values... values) {
  ResourceText text;
  return std::string(text, std::size_t(FormatResourceText(text, kResourceTextSize, id, values...)));
}

void WriteLabel(HDC hdc, const PanelLabel &label) { WriteText(hdc, label.x, label.y, label.text); }

}  // namespace

std::array<PanelLabel, 7> SourcePanelLabels(int width, int height, int lineHeight,
                                            double sourceOhms) {
  const SourceFigures figures = ComputeSourceFigures(sourceOhms);
  const int y0 = (3 * height) / 4;  // top of the source circle
  const int valuesX = width / 7;
  const int noteX = width / 6;
  // The trailing blanks belong to the labels and are written as white cells.
  return {{
      {valuesX, y0 - 4 * lineHeight, Text(IDS_SOURCE_OHMS, sourceOhms)},
      {valuesX, y0 - 3 * lineHeight, Text(IDS_SOURCE_VSWR, figures.vswr)},
      {valuesX, y0 - 2 * lineHeight, Text(IDS_RHO, figures.rho)},
      {noteX, y0, Text(IDS_OUTPUT_SET)},
      {noteX, y0 + lineHeight, Text(IDS_ACROSS_LOAD)},
      {noteX, y0 + 2 * lineHeight, Text(IDS_PLUS_13_DBM)},
      {noteX, y0 + 3 * lineHeight, Text(IDS_EMF, figures.emf)},
  }};
}

PanelLabel LoadPanelLabel(int width, int height, double loadOhms) {
  return {(3 * width) / 4 + 20, height / 4 + 30, Text(IDS_LOAD_OHMS, loadOhms)};
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
