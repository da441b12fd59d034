// Renders states of the program headless, for comparison with captures of
// the real window. Commands run in order:
//   size WxH | screen W | load OHMS | source OHMS | paint | enter | f1
//   ticks N | save FILE | save-ticks N PREFIX (a PNG after each of N ticks)
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/state.h"
#include "app/win.h"
#include "app/win_testing.h"
#include "app/wndproc.h"

namespace {

void Tick(HWND hwnd) { SendMessageA(hwnd, WM_TIMER, kTimerId, 0); }

}  // namespace

int main(int argc, char **argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  int width = 1000, height = 700, arg = 1;
  for (; arg + 1 < argc; arg += 2) {
    std::string name = argv[arg];
    if (name == "size")
      std::sscanf(argv[arg + 1], "%dx%d", &width, &height);
    else if (name == "screen")
      SetScreenWidthForTesting(std::atoi(argv[arg + 1]));
    else
      break;
  }
  WNDCLASSEXA cls{};
  cls.cbSize = sizeof cls;
  cls.lpfnWndProc = WndProc;
  cls.lpszClassName = "Ondulane";
  RegisterClassExA(&cls);
  HWND hwnd = CreateWindowExA(0, "Ondulane", "Ondulane", WS_OVERLAPPEDWINDOW, 0, 0, width, height,
                              nullptr, nullptr, nullptr, nullptr);
  ShowWindow(hwnd, SW_SHOWDEFAULT);
  PumpMessagesForTesting();
  UpdateWindow(hwnd);

  for (; arg < argc; ++arg) {
    std::string command = argv[arg];
    auto next = [&] { return arg + 1 < argc ? std::string(argv[++arg]) : std::string(); };
    if (command == "load") {
      g_loadOhms = std::atof(next().c_str());
    } else if (command == "source") {
      g_sourceOhms = std::atof(next().c_str());
    } else if (command == "paint") {
      InvalidateRect(hwnd, nullptr, 1);
      UpdateWindow(hwnd);
    } else if (command == "enter") {
      SendMessageA(hwnd, WM_KEYDOWN, VK_RETURN, 1);
    } else if (command == "f1") {
      SendMessageA(hwnd, WM_KEYDOWN, VK_F1, 1);
      UpdateWindow(hwnd);
    } else if (command == "ticks") {
      for (int n = std::atoi(next().c_str()); n > 0; --n) Tick(hwnd);
    } else if (command == "save") {
      if (!SaveScreenPng(hwnd, next().c_str())) return 1;
    } else if (command == "save-ticks") {
      int n = std::atoi(next().c_str());
      std::string prefix = next();
      for (int i = 0; i < n; ++i) {
        Tick(hwnd);
        std::string path = prefix + std::to_string(g_phaseDeg) + ".png";
        if (!SaveScreenPng(hwnd, path.c_str())) return 1;
      }
    } else {
      std::fprintf(stderr, "unknown command %s\n", command.c_str());
      return 2;
    }
  }
  return 0;
}
