#include "app/wndproc.h"

#include "app/header.h"
#include "app/state.h"
#include "dialogs/dialogs.h"
#include "display/scene.h"
#include "display/trace_frame.h"

int g_running;       // 1 while the animation runs
int g_phaseDeg;      // degrees travelled by the wavefront in this run
int g_clientWidth;   // client area, pixels
int g_clientHeight;  //

namespace {

void HandleKey(HWND hwnd, int key) {
  switch (key) {
    case VK_RETURN:
      g_running = g_running ? 0 : 1;
      break;
    case VK_F1:
      g_running = 0;
      g_startArrowDrawn = 0;
      InvalidateRect(hwnd, nullptr, 1);
      break;
    case VK_F2:
      g_running = 0;
      g_startArrowDrawn = 0;
      DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_VALUES), hwnd, ValuesDlgProc,
                      0);
      InvalidateRect(hwnd, nullptr, 1);
      break;
    case VK_F3:
      g_running = 0;
      DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_TEXT), hwnd, TextDlgProc, 0);
      break;
  }
}

// Draws the frame the last tick drew once more, which takes its lines away,
// then the frame one step on.
void AnimationTick(HWND hwnd) {
  if (g_running) {
    HDC hdc = GetDC(hwnd);
    DrawTraceFrame(hdc, g_clientWidth, g_clientHeight, g_phaseDeg, g_loadOhms, g_charWidth,
                   g_lineHeight);
    g_phaseDeg += kPhaseStep;
    DrawTraceFrame(hdc, g_clientWidth, g_clientHeight, g_phaseDeg, g_loadOhms, g_charWidth,
                   g_lineHeight);
    ReleaseDC(hwnd, hdc);
  }
  if (g_phaseDeg >= kRunEnd) g_running = 0;
}

}  // namespace

LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      UseTheLanguagesWriting();
      CreatePensAndFonts();
      // For a system that offers its users other colours than the pens'.
      SetPropA(hwnd, kColourSwapsProp, const_cast<ColourSwap *>(kColourSwaps));
      return 0;
    case WM_DESTROY:
      RemovePropA(hwnd, kColourSwapsProp);
      DeletePensAndFonts();
      KillTimer(hwnd, kTimerId);
      PostQuitMessage(0);
      return 0;
    case WM_SIZE:
      g_clientWidth = LOWORD(lParam);
      g_clientHeight = HIWORD(lParam);
      return 0;
    case WM_PAINT:
      PaintWindow(hwnd);
      return 0;
    case WM_KEYDOWN:
      HandleKey(hwnd, int(wParam));
      return 0;
    case WM_TIMER:
      AnimationTick(hwnd);
      return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}
