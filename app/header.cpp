#include "app/header.h"

#include <cstring>

#include "app/state.h"
#include "display/panels.h"
#include "display/resource_text.h"
#include "display/scene.h"

int g_lineHeight;  // tmHeight + tmExternalLeading of the font measured last
int g_charWidth;   // tmAveCharWidth of that font

HPEN g_blackPen;       // the schematic, 2 px
HPEN g_redPen;         // reflected wave, 2 px
HPEN g_greenPen;       // forward wave, 2 px
HFONT g_titleFont;     // the program's name
HFONT g_subtitleFont;  // the line under it
HFONT g_textFont;      // every other text

namespace {

struct FontRow {
  int title, subtitle, text;
};

// The fonts follow the screen, not the window, so a projector at a low
// resolution gets smaller type.
FontRow FontRowForScreen(int screenWidth) {
  if (screenWidth > 1000) return {50, 30, 17};
  if (screenWidth > 700) return {40, 22, 15};
  return {35, 17, 12};
}

HFONT MakeFont(int height) {
  LOGFONTA lf{};
  lf.lfHeight = height;
  std::strcpy(lf.lfFaceName, "Arial Bold");
  return CreateFontIndirectA(&lf);
}

void MeasureFont(HDC hdc) {
  TEXTMETRICA tm{};
  GetTextMetricsA(hdc, &tm);
  g_lineHeight = tm.tmHeight + tm.tmExternalLeading;
  g_charWidth = tm.tmAveCharWidth;
}

constexpr UINT kInstructions[] = {IDS_PRESS_ENTER, IDS_PRESS_F1, IDS_PRESS_F2, IDS_PRESS_F3};

}  // namespace

void UseTheLanguagesWriting() {
  ResourceText text;
  SetDecimalSign({text, std::size_t(LoadResourceText(IDS_DECIMAL_SIGN, text))});
  SetDigits({text, std::size_t(LoadResourceText(IDS_DIGITS, text))});
  SetReadingFromRight(std::string_view(text, std::size_t(LoadResourceText(IDS_READING_ORDER,
                                                                          text))) == "default:RTL");
}

void CreatePensAndFonts() {
  g_blackPen = CreatePen(PS_SOLID, 2, kBlack);
  g_redPen = CreatePen(PS_SOLID, 2, kRed);
  g_greenPen = CreatePen(PS_SOLID, 2, kGreen);
  FontRow row = FontRowForScreen(GetSystemMetrics(SM_CXFULLSCREEN));
  g_titleFont = MakeFont(row.title);
  g_subtitleFont = MakeFont(row.subtitle);
  g_textFont = MakeFont(row.text);
}

void DeletePensAndFonts() {
  DeleteObject(g_blackPen);
  DeleteObject(g_redPen);
  DeleteObject(g_greenPen);
  DeleteObject(g_titleFont);
  DeleteObject(g_subtitleFont);
  DeleteObject(g_textFont);
}

void PaintWindow(HWND hwnd) {
  PAINTSTRUCT ps;
  HDC hdc = BeginPaint(hwnd, &ps);
  // Every repaint starts the run over on a clean screen, so the start arrow
  // must be there for the first frame to take away.
  g_phaseDeg = 0;
  g_startArrowDrawn = 0;

  SelectObject(hdc, g_titleFont);
  MeasureFont(hdc);
  SetTextAlign(hdc, TA_CENTER | TA_TOP);
  WriteText(hdc, g_clientWidth / 2, 0, "Ondulane");
  SelectObject(hdc, g_subtitleFont);
  WriteResourceText(hdc, g_clientWidth / 2, g_lineHeight, IDS_SUBTITLE);

  SelectObject(hdc, g_textFont);
  MeasureFont(hdc);
  SetTextAlign(hdc, TA_LEFT | TA_TOP);
  SetTextColor(hdc, kRed);
  int k = 0;
  for (UINT line : kInstructions)
    WriteResourceText(hdc, g_clientWidth / 2, (3 * g_clientHeight) / 4 + k++ * g_lineHeight, line);
  SetTextColor(hdc, kBlack);

  DrawScene(hdc, g_clientWidth, g_clientHeight, g_charWidth, g_lineHeight);
  DrawSourcePanel(hdc, g_clientWidth, g_clientHeight, g_lineHeight);
  DrawLoadPanel(hdc, g_clientWidth, g_clientHeight);
  EndPaint(hwnd, &ps);
}
