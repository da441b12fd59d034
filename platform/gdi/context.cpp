// Device contexts, their state, and the GDI objects selected into them.
//
// Contexts come from a fixed pool, so a tick that takes one and lets it go
// touches no heap.
#include "platform/gdi/context.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <utility>

namespace {

constexpr int kMaxContexts = 16;  // open at once, over all windows
std::optional<DeviceContext> g_contexts[kMaxContexts];

GdiObject g_stockBlackPen{GdiObject::Kind::Pen, RGB(0, 0, 0), 1, {}, true, nullptr, nullptr, 0};
GdiObject g_stockWhiteBrush{
    GdiObject::Kind::Brush, RGB(255, 255, 255), 0, {}, true, nullptr, nullptr, 0};
// The system font a fresh context starts with.
GdiObject g_stockFont{
    GdiObject::Kind::Font, 0, 0, {"Liberation Sans", false, 16}, true, nullptr, nullptr, 0};

}  // namespace

HDC OpenContext(Surface &s, bool paint) {
  auto slot = std::find_if(std::begin(g_contexts), std::end(g_contexts),
                           [](const auto &c) { return !c.has_value(); });
  if (slot == std::end(g_contexts)) return nullptr;  // out of contexts, as GetDC can be
  if (!g_stockFont.ink) g_stockFont.ink = MakeFontInk(g_stockFont.face);
  HDC dc = &slot->emplace(s, paint);
  dc->pen = &g_stockBlackPen;
  dc->font = &g_stockFont;
  dc->brush = &g_stockWhiteBrush;
  return dc;
}

void CloseContext(HDC dc) {
  for (auto &slot : g_contexts)
    if (slot && &*slot == dc) slot.reset();
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ obj) {
  if (!dc || !obj) return nullptr;
  HGDIOBJ *current = obj->kind == GdiObject::Kind::Pen    ? &dc->pen
                     : obj->kind == GdiObject::Kind::Font ? &dc->font
                                                          : &dc->brush;
  return std::exchange(*current, obj);
}

BOOL MoveToEx(HDC dc, int x, int y, POINT *old) {
  if (!dc) return 0;
  if (old) *old = POINT{dc->position.x, dc->position.y};
  dc->position = Point{x, y};
  return 1;
}

BOOL GetCurrentPositionEx(HDC dc, POINT *p) {
  if (!dc || !p) return 0;
  *p = POINT{dc->position.x, dc->position.y};
  return 1;
}

int SetROP2(HDC dc, int mode) { return dc ? std::exchange(dc->mix, mode) : 0; }
UINT SetTextAlign(HDC dc, UINT align) { return dc ? std::exchange(dc->align, align) : 0; }
COLORREF SetTextColor(HDC dc, COLORREF c) { return dc ? std::exchange(dc->textColor, c) : 0; }
int SetBkMode(HDC dc, int mode) { return dc ? std::exchange(dc->bkMode, mode) : 0; }

HPEN CreatePen(int, int width, COLORREF color) {
  return new GdiObject{
      GdiObject::Kind::Pen, color, std::max(width, 1), {}, false, nullptr, nullptr, 0};
}

BOOL DeleteObject(HGDIOBJ obj) {
  if (!obj || obj->stock) return 0;
  delete obj;
  return 1;
}

HGDIOBJ GetStockObject(int index) { return index == WHITE_BRUSH ? &g_stockWhiteBrush : nullptr; }
