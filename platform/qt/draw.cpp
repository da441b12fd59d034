// Device contexts, pens, fonts and drawing on a window's screen image.
//
// One QPainter stays open on the image for the life of a device context.
// Nothing is antialiased, so a figure drawn twice covers the same pixels and
// the inverting mix drawn twice restores every one of them.
#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>
#include <cmath>
#include <numbers>

#include "platform/qt/internal.h"

struct DeviceContext {
  DeviceContext(Window *w, QPainter &p) : window(w), painter(p) {}
  Window *window;
  QPainter &painter;  // the window's, shared by all its open contexts
  HPEN pen = nullptr;
  HFONT font = nullptr;
  HBRUSH brush = nullptr;
  QPoint position;
  int mix = R2_COPYPEN;
  UINT align = TA_LEFT | TA_TOP;
  COLORREF textColor = RGB(0, 0, 0);
  int bkMode = OPAQUE;
  COLORREF bkColor = RGB(255, 255, 255);
  QRect changed;  // what to present when the context is released
};

namespace {

QPen SolidPen(const QColor &color, int width) {
  return QPen(color, width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
}

GdiObject g_stockBlackPen{GdiObject::Kind::Pen, Qt::black, 1, {}, 0, true, SolidPen(Qt::black, 1)};
GdiObject g_stockWhiteBrush{GdiObject::Kind::Brush, Qt::white, 0, {}, 0, true, Qt::NoPen};
GdiObject g_stockFont{GdiObject::Kind::Font, Qt::black, 0, {}, 0, true, Qt::NoPen};

QColor ToQColor(COLORREF c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }

// The Qt font for a character cell `cellHeight` pixels high: the largest
// pixel size whose line fits. Sizes step unevenly, so the cell is padded
// below the descent to exactly the height asked for.
QFont FontForCell(const QString &family, bool bold, int cellHeight) {
  QFont font;
  font.setFamilies({family, "Liberation Sans", "DejaVu Sans"});
  font.setBold(bold);
  font.setStyleStrategy(QFont::NoAntialias);
  font.setHintingPreference(QFont::PreferFullHinting);
  int best = 1;
  for (int px = 1; px <= cellHeight; ++px) {
    font.setPixelSize(px);
    if (QFontMetrics(font).height() <= cellHeight) best = px;
  }
  font.setPixelSize(best);
  return font;
}

HDC NewContext(Window *w) {
  if (!w || w->screen.isNull()) return nullptr;
  if (g_stockFont.cellHeight == 0) {
    g_stockFont.font = FontForCell("Liberation Sans", false, 16);
    g_stockFont.cellHeight = 16;
  }
  if (w->openContexts++ == 0) {
    w->painter = new QPainter(&w->screen);
    w->painter->setRenderHint(QPainter::Antialiasing, false);
    w->painter->setRenderHint(QPainter::TextAntialiasing, false);
  }
  auto *dc = new DeviceContext(w, *w->painter);
  dc->pen = &g_stockBlackPen;
  dc->font = &g_stockFont;
  dc->brush = &g_stockWhiteBrush;
  return dc;
}

void FreeContext(HDC dc) {
  Window *w = dc->window;
  if (--w->openContexts == 0) {
    delete w->painter;
    w->painter = nullptr;
  }
  PresentScreen(w, dc->changed);
  delete dc;
}

// Sets the painter up for an outline in the context's pen and mix.
void UsePen(HDC dc) {
  dc->painter.setPen(dc->pen->pen);
  dc->painter.setBrush(Qt::NoBrush);
  dc->painter.setCompositionMode(dc->mix == R2_NOTXORPEN
                                     ? QPainter::RasterOp_NotSourceXorDestination
                                     : QPainter::CompositionMode_SourceOver);
}

void MarkChanged(HDC dc, QRect r) {
  int margin = dc->pen->width + 1;
  dc->changed |= r.normalized().adjusted(-margin, -margin, margin, margin);
}

}  // namespace

HDC GetDC(HWND hwnd) { return NewContext(hwnd); }

int ReleaseDC(HWND, HDC dc) {
  if (!dc) return 0;
  FreeContext(dc);
  return 1;
}

HDC BeginPaint(HWND hwnd, PAINTSTRUCT *ps) {
  *ps = PAINTSTRUCT{nullptr, 1, RECT{0, 0, 0, 0}};
  if (!hwnd) return nullptr;
  hwnd->invalid = false;
  hwnd->screen.fill(Qt::white);
  ps->hdc = NewContext(hwnd);
  ps->rcPaint = RECT{0, 0, hwnd->screen.width(), hwnd->screen.height()};
  if (ps->hdc) ps->hdc->changed = hwnd->screen.rect();
  return ps->hdc;
}

BOOL EndPaint(HWND, const PAINTSTRUCT *ps) {
  if (ps->hdc) FreeContext(ps->hdc);
  return 1;
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ obj) {
  if (!dc || !obj) return nullptr;
  HGDIOBJ old = nullptr;
  switch (obj->kind) {
    case GdiObject::Kind::Pen:
      old = dc->pen;
      dc->pen = obj;
      break;
    case GdiObject::Kind::Font:
      old = dc->font;
      dc->font = obj;
      break;
    case GdiObject::Kind::Brush:
      old = dc->brush;
      dc->brush = obj;
      break;
  }
  return old;
}

BOOL MoveToEx(HDC dc, int x, int y, POINT *old) {
  if (!dc) return 0;
  if (old) *old = POINT{dc->position.x(), dc->position.y()};
  dc->position = QPoint(x, y);
  return 1;
}

BOOL LineTo(HDC dc, int x, int y) {
  if (!dc) return 0;
  QPoint to(x, y);
  UsePen(dc);
  dc->painter.drawLine(dc->position, to);
  MarkChanged(dc, QRect(dc->position, to));
  dc->position = to;
  return 1;
}

BOOL GetCurrentPositionEx(HDC dc, POINT *p) {
  if (!dc || !p) return 0;
  *p = POINT{dc->position.x(), dc->position.y()};
  return 1;
}

int SetROP2(HDC dc, int mode) {
  if (!dc) return 0;
  int old = dc->mix;
  dc->mix = mode;
  return old;
}

COLORREF SetPixel(HDC dc, int x, int y, COLORREF color) {
  if (!dc || !dc->window->screen.rect().contains(x, y)) return COLORREF(-1);
  dc->window->screen.setPixel(x, y, ToQColor(color).rgb());
  dc->changed |= QRect(x, y, 1, 1);
  return color;
}

COLORREF GetPixel(HDC dc, int x, int y) {
  if (!dc || !dc->window->screen.rect().contains(x, y)) return COLORREF(-1);
  // The painter may still hold the last primitive; the raster engine draws
  // straight into the image, so the pixel is current.
  QRgb p = dc->window->screen.pixel(x, y);
  return RGB(qRed(p), qGreen(p), qBlue(p));
}

BOOL TextOutA(HDC dc, int x, int y, LPCSTR text, int length) {
  if (!dc || !text || length <= 0) return 0;
  QString s = QString::fromLatin1(text, length);
  QFontMetrics fm(dc->font->font);
  int width = fm.horizontalAdvance(s);
  if ((dc->align & TA_CENTER) == TA_CENTER)
    x -= width / 2;
  else if (dc->align & TA_RIGHT)
    x -= width;
  QRect box(x, y, width, dc->font->cellHeight);
  dc->painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
  if (dc->bkMode == OPAQUE) dc->painter.fillRect(box, ToQColor(dc->bkColor));
  dc->painter.setFont(dc->font->font);
  dc->painter.setPen(ToQColor(dc->textColor));
  dc->painter.drawText(x, y + fm.ascent(), s);
  dc->changed |= box;
  return 1;
}

UINT SetTextAlign(HDC dc, UINT align) {
  if (!dc) return 0;
  UINT old = dc->align;
  dc->align = align;
  return old;
}

COLORREF SetTextColor(HDC dc, COLORREF color) {
  if (!dc) return 0;
  COLORREF old = dc->textColor;
  dc->textColor = color;
  return old;
}

int SetBkMode(HDC dc, int mode) {
  if (!dc) return 0;
  int old = dc->bkMode;
  dc->bkMode = mode;
  return old;
}

BOOL Ellipse(HDC dc, int left, int top, int right, int bottom) {
  if (!dc) return 0;
  QRect box(QPoint(left, top), QPoint(right - 1, bottom - 1));
  dc->painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
  dc->painter.setPen(Qt::NoPen);
  dc->painter.setBrush(dc->brush->color);
  dc->painter.drawEllipse(box);
  UsePen(dc);
  dc->painter.drawEllipse(box);
  MarkChanged(dc, box);
  return 1;
}

BOOL Arc(HDC dc, int left, int top, int right, int bottom, int xs, int ys, int xe, int ye) {
  if (!dc) return 0;
  QRect box(QPoint(left, top), QPoint(right - 1, bottom - 1));
  double cx = (left + right) / 2.0, cy = (top + bottom) / 2.0;
  // Screen y grows downwards; angles count counterclockwise on the screen.
  double start = std::atan2(cy - ys, xs - cx) * 180 / std::numbers::pi;
  double end = std::atan2(cy - ye, xe - cx) * 180 / std::numbers::pi;
  double span = std::fmod(end - start + 720.0, 360.0);
  if (span == 0) span = 360;
  UsePen(dc);
  dc->painter.drawArc(box, int(std::lround(start * 16)), int(std::lround(span * 16)));
  MarkChanged(dc, box);
  return 1;
}

HPEN CreatePen(int, int width, COLORREF color) {
  width = width < 1 ? 1 : width;
  return new GdiObject{
      GdiObject::Kind::Pen, ToQColor(color), width, {}, 0, false, SolidPen(ToQColor(color), width)};
}

HFONT CreateFontIndirectA(const LOGFONTA *lf) {
  EnsureApplication();
  QString face = QString::fromLatin1(lf->lfFaceName);
  bool bold = lf->lfWeight >= 600;
  // "Arial Bold" names a face of the Arial family, not a family.
  if (face.endsWith(" Bold")) {
    face.chop(5);
    bold = true;
  }
  if (face == "Arial") face = "Liberation Sans";
  int cell = lf->lfHeight > 0 ? lf->lfHeight : (lf->lfHeight < 0 ? -lf->lfHeight : 16);
  return new GdiObject{
      GdiObject::Kind::Font, Qt::black, 0, FontForCell(face, bold, cell), cell, false, Qt::NoPen};
}

BOOL GetTextMetricsA(HDC dc, TEXTMETRICA *tm) {
  if (!dc || !tm) return 0;
  QFontMetrics fm(dc->font->font);
  tm->tmHeight = dc->font->cellHeight;
  tm->tmAscent = fm.ascent();
  tm->tmDescent = dc->font->cellHeight - fm.ascent();
  tm->tmInternalLeading = fm.height() - dc->font->font.pixelSize();
  tm->tmExternalLeading = fm.leading() > 0 ? fm.leading() : 0;
  tm->tmAveCharWidth = fm.averageCharWidth();
  tm->tmMaxCharWidth = fm.maxWidth();
  return 1;
}

BOOL DeleteObject(HGDIOBJ obj) {
  if (!obj || obj->stock) return 0;
  delete obj;
  return 1;
}

HGDIOBJ GetStockObject(int index) { return index == WHITE_BRUSH ? &g_stockWhiteBrush : nullptr; }
