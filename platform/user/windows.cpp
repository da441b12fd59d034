// Window classes and top-level windows: their records, their client areas
// and screen images, and the default handling of their messages.
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "platform/gdi/colour_map.h"
#include "platform/user/internal.h"
#include "platform/user/testing.h"

namespace {

struct WindowClass {
  WNDPROC proc;
  std::string name;
};

std::vector<WindowClass> g_classes;
// Every top-level window made: a handle stays valid, destroyed, until the
// process ends, so input still waiting for it finds it gone.
std::vector<std::unique_ptr<Window>> g_windows;
int g_screenWidthOverride = 0;  // 0: ask the driver

// A white screen image of the client area at the scale, in device pixels.
void MakeScreen(Window *w, ClientArea client) {
  const int width = int(std::ceil(client.width * client.scale - 1e-6));
  const int height = int(std::ceil(client.height * client.scale - 1e-6));
  w->pixels.assign(std::size_t(std::max(width, 1)) * std::max(height, 1), 0xffffffffu);
  AttachPixels(w->surface, w->pixels.data(), width, height, std::max(width, 1), client.scale);
  FillSurface(w->surface, RGB(255, 255, 255));
}

}  // namespace

Window *MainWindow() {
  for (auto &w : g_windows)
    if (!w->destroyed) return w.get();
  return nullptr;
}

void ColourOptionsAsked(int asked) {
  for (auto &w : g_windows)
    if (!w->destroyed && w->kind == WindowKind::TopLevel) {
      MapColourOptions(static_cast<const ColourSwap *>(GetPropA(w.get(), kColourSwapsProp)), asked);
      InvalidateRect(w.get(), nullptr, 1);
    }
}

int TellTexts(int ms) {
  static Utterance u;  // no allocation as a run goes
  for (auto &w : g_windows) {
    if (w->destroyed || !DriverTellTexts(w.get())) continue;
    while (TakeUtterance(w->surface, SpeechClockMs(), u)) DriverSay(w.get(), u);
    ms = WaitCutForSpeech(w->surface, ms);
  }
  return ms;
}

void WindowActivated(Window *w) {
  if (Window *dialog = OpenDialog(); dialog && dialog->parent == w) DriverActivateWindow(dialog);
}

Window *InvalidWindow() {
  for (auto &w : g_windows)
    if (w->invalid && !w->destroyed) return w.get();
  return nullptr;
}

// Nothing before the window has its first screen image.
void WindowResized(Window *w, ClientArea client) {
  if (!w || w->destroyed || w->pixels.empty()) return;
  const bool resized = client.width != w->width || client.height != w->height;
  if (!resized && client.scale == w->surface.scale) return;
  const bool empty = client.width <= 0 || client.height <= 0;
  if (!empty) MakeScreen(w, client);
  if (resized) {
    w->width = client.width;
    w->height = client.height;
    SendMessageA(w, WM_SIZE, 0, MAKELPARAM(client.width, client.height));
  }
  if (!empty) w->invalid = true;
}

HICON LoadIconA(HINSTANCE, LPCSTR name) { return name; }
HCURSOR LoadCursorA(HINSTANCE, LPCSTR name) { return name; }
HINSTANCE GetModuleHandleA(LPCSTR) { return nullptr; }

WORD RegisterClassExA(const WNDCLASSEXA *cls) {
  if (!cls || !cls->lpszClassName || !cls->lpfnWndProc) return 0;
  g_classes.push_back(WindowClass{cls->lpfnWndProc, cls->lpszClassName});
  return WORD(g_classes.size());
}

// The size given is the outer one: the client area is what the frame leaves.
HWND CreateWindowExA(DWORD, LPCSTR cls, LPCSTR title, DWORD style, int x, int y, int w, int h, HWND,
                     void *, HINSTANCE, void *) {
  if (!cls) return nullptr;
  WNDPROC proc = nullptr;
  for (const auto &c : g_classes)
    if (c.name == cls) proc = c.proc;
  if (!proc) return nullptr;
  g_windows.push_back(std::make_unique<Window>());
  Window *hwnd = g_windows.back().get();
  hwnd->proc = proc;
  hwnd->style = style;
  hwnd->text = title ? title : "";
  hwnd->surface.owner = hwnd;
  const ClientArea client = DriverCreateWindow(hwnd, Rect{x, y, x + w, y + h});
  MakeScreen(hwnd, client);
  hwnd->invalid = true;
  proc(hwnd, WM_CREATE, 0, 0);
  hwnd->width = client.width;
  hwnd->height = client.height;
  proc(hwnd, WM_SIZE, 0, MAKELPARAM(client.width, client.height));
  return hwnd;
}

BOOL ShowWindow(HWND hwnd, int) {
  if (!hwnd || hwnd->destroyed || hwnd->kind != WindowKind::TopLevel) return 0;
  DriverShowWindow(hwnd);
  return 1;
}

BOOL UpdateWindow(HWND hwnd) {
  if (hwnd && hwnd->invalid && !hwnd->destroyed && hwnd->proc) hwnd->proc(hwnd, WM_PAINT, 0, 0);
  return hwnd ? 1 : 0;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int w, int h, BOOL) {
  if (!hwnd || hwnd->destroyed || hwnd->kind != WindowKind::TopLevel) return 0;
  DriverMoveWindow(hwnd, Rect{x, y, x + w, y + h});
  return 1;
}

BOOL DestroyWindow(HWND hwnd) {
  if (!hwnd || hwnd->destroyed) return 0;
  hwnd->destroyed = true;
  if (hwnd->proc) hwnd->proc(hwnd, WM_DESTROY, 0, 0);
  ForgetWindow(hwnd);
  DriverDestroyWindow(hwnd);
  return 1;
}

BOOL GetClientRect(HWND hwnd, RECT *rect) {
  if (!hwnd || !rect || hwnd->destroyed) return 0;
  *rect = hwnd->kind == WindowKind::TopLevel
              ? RECT{0, 0, hwnd->width, hwnd->height}
              : RECT{0, 0, hwnd->place.Width(), hwnd->place.Height()};
  return 1;
}

BOOL InvalidateRect(HWND hwnd, const RECT *, BOOL) {
  if (!hwnd || hwnd->kind != WindowKind::TopLevel) return 0;
  hwnd->invalid = true;
  return 1;
}

// The whole client area is invalid or none of it.
BOOL GetUpdateRect(HWND hwnd, RECT *rect, BOOL) {
  const bool due = hwnd && hwnd->invalid && !hwnd->destroyed;
  if (rect) *rect = due ? RECT{0, 0, hwnd->width, hwnd->height} : RECT{0, 0, 0, 0};
  return due ? 1 : 0;
}

LRESULT DefWindowProcA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  constexpr WPARAM kF4 = 115;
  constexpr LPARAM kAltDown = 1 << 29;
  if (message == WM_CLOSE) DestroyWindow(hwnd);
  if (message == WM_SYSKEYDOWN && wParam == kF4 && (lParam & kAltDown))
    SendMessageA(hwnd, WM_CLOSE, 0, 0);
  return 0;
}

BOOL SetWindowTextA(HWND hwnd, LPCSTR text) {
  if (!hwnd || hwnd->destroyed || !text) return 0;
  if (!hwnd->IsEdit()) hwnd->text = text;
  DriverSetText(hwnd, hwnd->IsEdit() ? DriverLines(text) : std::string(text));
  return 1;
}

int GetWindowTextA(HWND hwnd, LPSTR buf, int max) {
  if (!buf || max <= 0) return 0;
  buf[0] = '\0';
  if (!hwnd || hwnd->destroyed) return 0;
  const std::string text = hwnd->IsEdit() ? ProgramLines(DriverEditText(hwnd)) : hwnd->text;
  const int count = std::min(int(text.size()), max - 1);
  text.copy(buf, std::size_t(count));
  buf[count] = '\0';
  return count;
}

BOOL SetPropA(HWND hwnd, LPCSTR name, HANDLE data) {
  if (!hwnd || !name) return 0;
  RemovePropA(hwnd, name);
  hwnd->props.emplace_back(name, data);
  return 1;
}

HANDLE GetPropA(HWND hwnd, LPCSTR name) {
  if (!hwnd || !name) return nullptr;
  for (const auto &[key, data] : hwnd->props)
    if (key == name) return data;
  return nullptr;
}

HANDLE RemovePropA(HWND hwnd, LPCSTR name) {
  HANDLE data = GetPropA(hwnd, name);
  if (hwnd && name) std::erase_if(hwnd->props, [name](const auto &p) { return p.first == name; });
  return data;
}

int GetSystemMetrics(int index) {
  if (index != SM_CXFULLSCREEN) return 0;
  return g_screenWidthOverride > 0 ? g_screenWidthOverride : DriverScreenWidth();
}

void SetScreenWidthForTesting(int width) { g_screenWidthOverride = width; }
