// The page's one top-level window: the canvas. Its client area is the
// canvas's box in CSS pixels at the page's devicePixelRatio; a new size or
// ratio is a resize, as a window's on the desktop.
#include <cstdlib>

#include "platform/web/internal.h"

namespace {

Window *g_canvas = nullptr;

ClientArea CanvasArea() {
  ClientArea area;
  web_client_area(&area);
  if (area.scale <= 0) area.scale = 1.0;
  return area;
}

}  // namespace

std::string TakeString(char *text) {
  std::string taken = text ? text : "";
  std::free(text);
  return taken;
}

void FollowCanvas() {
  if (g_canvas) WindowResized(g_canvas, CanvasArea());
}

Window *Canvas() { return g_canvas; }

// The size asked for is the page's to choose; a second window has no place
// on it.
ClientArea DriverCreateWindow(Window *w, Rect) {
  if (g_canvas) return {};
  g_canvas = w;
  web_install(w, w->text.c_str());
  return CanvasArea();
}

// The canvas is always shown, where the page lays it out; in the colours
// asked for, once the program has said what those are.
void DriverShowWindow(Window *) { UseColoursAsked(); }
void DriverMoveWindow(Window *, Rect) {}

void DriverActivateWindow(Window *w) { web_activate(w); }

void DriverDestroyWindow(Window *w) {
  if (w == g_canvas) g_canvas = nullptr;
  web_forget(w);
}

// A top-level window's title is the page's.
void DriverSetText(Window *w, const std::string &text) { web_set_text(w, text.c_str()); }

// The screen the program sizes its fonts by, in CSS pixels.
int DriverScreenWidth() { return web_screen_width(); }

// The browser's box has no title, and names the answers OK and Cancel.
bool DriverAsk(Window *, const Question &q) { return web_confirm(q.text.c_str()); }
