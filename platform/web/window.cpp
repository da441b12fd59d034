// The main window on a page: the canvas. Its client area is the canvas in
// CSS pixels; its screen image holds the canvas's device pixels, drawn by
// the core at the page's devicePixelRatio. A new size or ratio is WM_SIZE
// and a repaint, as a resized window on the desktop.
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "platform/web/internal.h"

namespace {

struct WindowClass {
  WNDPROC proc;
  std::string name;
};

std::vector<WindowClass> g_classes;
std::unique_ptr<Window> g_main;  // a page has one window
std::string g_title;

struct ClientSize {
  int width, height;
  double ratio;
};

ClientSize CanvasClient() {
  struct {
    int width, height;
    double ratio;
  } size;
  web_client_size(&size);
  return {size.width, size.height, size.ratio > 0 ? size.ratio : 1.0};
}

}  // namespace

Window *MainWindow() { return g_main && !g_main->destroyed ? g_main.get() : nullptr; }

void FollowCanvas(Window *w) {
  if (!w) return;
  const ClientSize client = CanvasClient();
  const bool resized = client.width != w->width || client.height != w->height;
  if (!resized && client.ratio == w->surface.scale && !w->pixels.empty()) return;
  const int width = int(std::ceil(client.width * client.ratio - 1e-6));
  const int height = int(std::ceil(client.height * client.ratio - 1e-6));
  w->pixels.assign(std::size_t(std::max(width, 1)) * std::max(height, 1), 0xffffffffu);
  AttachPixels(w->surface, w->pixels.data(), width, height, std::max(width, 1), client.ratio);
  web_resize_canvas(width, height);
  FillSurface(w->surface, RGB(255, 255, 255));
  w->width = client.width;
  w->height = client.height;
  if (resized) SendMessageA(w, WM_SIZE, 0, MAKELPARAM(client.width, client.height));
  if (width > 0 && height > 0) w->invalid = true;
}

HICON LoadIconA(HINSTANCE, LPCSTR name) { return name; }
HCURSOR LoadCursorA(HINSTANCE, LPCSTR name) { return name; }
HINSTANCE GetModuleHandleA(LPCSTR) { return nullptr; }

WORD RegisterClassExA(const WNDCLASSEXA *cls) {
  if (!cls || !cls->lpszClassName) return 0;
  g_classes.push_back(WindowClass{cls->lpfnWndProc, cls->lpszClassName});
  return WORD(g_classes.size());
}

// The size asked for is the page's to choose: the window is the canvas.
HWND CreateWindowExA(DWORD, LPCSTR cls, LPCSTR title, DWORD, int, int, int, int, HWND, void *,
                     HINSTANCE, void *) {
  if (g_main || !cls) return nullptr;
  WNDPROC proc = nullptr;
  for (const auto &c : g_classes)
    if (c.name == cls) proc = c.proc;
  if (!proc) return nullptr;
  g_main = std::make_unique<Window>();
  Window *w = g_main.get();
  w->proc = proc;
  w->surface.owner = w;
  SetWindowTextA(w, title ? title : "");
  web_install();
  proc(w, WM_CREATE, 0, 0);
  FollowCanvas(w);
  return w;
}

BOOL ShowWindow(HWND hwnd, int) { return hwnd == MainWindow() ? 1 : 0; }

BOOL UpdateWindow(HWND hwnd) {
  if (!hwnd || !hwnd->invalid || !hwnd->proc) return 1;
  hwnd->proc(hwnd, WM_PAINT, 0, 0);
  return 1;
}

// The page lays the canvas out; a window cannot move or resize it.
BOOL MoveWindow(HWND hwnd, int, int, int, int, BOOL) { return hwnd == MainWindow() ? 1 : 0; }

BOOL DestroyWindow(HWND hwnd) {
  if (!hwnd || hwnd->destroyed) return 0;
  hwnd->destroyed = true;
  if (hwnd->proc) hwnd->proc(hwnd, WM_DESTROY, 0, 0);
  ForgetWindow(hwnd);
  return 1;
}

BOOL GetClientRect(HWND hwnd, RECT *rect) {
  if (!hwnd || !rect || hwnd != MainWindow()) return 0;
  *rect = RECT{0, 0, hwnd->width, hwnd->height};
  return 1;
}

BOOL InvalidateRect(HWND hwnd, const RECT *, BOOL) {
  if (!hwnd) return 0;
  hwnd->invalid = true;
  return 1;
}

LRESULT DefWindowProcA(HWND hwnd, UINT message, WPARAM, LPARAM) {
  if (message == WM_CLOSE) DestroyWindow(hwnd);
  return 0;
}

int MessageBoxA(HWND, LPCSTR text, LPCSTR, UINT) {
  return web_confirm(text ? text : "") ? IDRETRY : IDCANCEL;
}

// The screen the program sizes its fonts by: the screen in CSS pixels.
int GetSystemMetrics(int index) { return index == SM_CXFULLSCREEN ? web_screen_width() : 0; }

BOOL SetWindowTextA(HWND hwnd, LPCSTR text) {
  if (!hwnd || !text) return 0;
  if (hwnd == g_main.get()) {
    g_title = text;
    web_set_title(text);
    return 1;
  }
  return SetControlText(hwnd, text);
}

int GetWindowTextA(HWND hwnd, LPSTR buf, int max) {
  if (!buf || max <= 0) return 0;
  buf[0] = '\0';
  if (!hwnd) return 0;
  if (hwnd != g_main.get()) return GetControlText(hwnd, buf, max);
  const int count = std::min(int(g_title.size()), max - 1);
  g_title.copy(buf, std::size_t(count));
  buf[count] = '\0';
  return count;
}
