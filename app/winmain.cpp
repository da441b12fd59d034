#include "app/winmain.h"

#include "app/state.h"
#include "app/wndproc.h"
#include "dialogs/resource.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  static const char kName[] = "Ondulane";
  WNDCLASSEXA cls{};
  cls.cbSize = sizeof cls;
  cls.style = CS_HREDRAW | CS_VREDRAW;
  cls.lpfnWndProc = WndProc;
  cls.hInstance = instance;
  cls.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
  cls.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  cls.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  cls.lpszClassName = kName;
  cls.hIconSm = LoadIconA(nullptr, IDI_APPLICATION);
  RegisterClassExA(&cls);

  HWND hwnd = CreateWindowExA(0, kName, kName, WS_OVERLAPPEDWINDOW, 0, 0, 1000, 700, nullptr,
                              nullptr, instance, nullptr);

  while (!SetTimer(hwnd, kTimerId, kTimerPeriodMs, nullptr)) {
    char text[256];
    LoadStringA(instance, IDS_NO_TIMER, text, sizeof text);
    if (MessageBoxA(hwnd, text, kName, MB_ICONEXCLAMATION | MB_RETRYCANCEL) == IDCANCEL) return 0;
  }

  ShowWindow(hwnd, showCommand);
  UpdateWindow(hwnd);

  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return int(msg.wParam);
}
