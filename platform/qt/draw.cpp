// Device contexts, pens, fonts and drawing on a window's screen image.
//
// A tick allocates nothing: contexts come from a fixed pool, lines are
// rasterised straight into each window's image through a coverage mask made
// with it, texts are laid out from glyph tables made with their fonts, and
// what changed is kept as a few rectangles that the window shows when the
// thread next turns to its event loop. Nothing is antialiased, so a figure
// drawn twice covers the same pixels and the inverting mix drawn twice
// restores every one of them.
#include <QAbstractEventDispatcher>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <climits>
#include <optional>

#include "platform/qt/internal.h"
#include "platform/qt/raster.h"

namespace {
constexpr int kMaxChanged = 24;  // rectangles kept per window before they merge
}  // namespace

struct Canvas {
  Window *window = nullptr;
  QImage image;                // the screen image's pixels, not a copy
  Coverage coverage;           // the pixels of the primitive being drawn
  QRect changed[kMaxChanged];  // not shown yet, disjoint
  int changedCount = 0;
};

struct DeviceContext {
  explicit DeviceContext(Window *w) : window(w) {}
  Window *window;
  HPEN pen = nullptr;
  HFONT font = nullptr;
  HBRUSH brush = nullptr;
  QPoint position;
  int mix = R2_COPYPEN;
  UINT align = TA_LEFT | TA_TOP;
  COLORREF textColor = RGB(0, 0, 0);
  int bkMode = OPAQUE;
  COLORREF bkColor = RGB(255, 255, 255);
};

namespace {

GdiObject g_stockBlackPen{GdiObject::Kind::Pen, Qt::black, 1, {}, 0, true, nullptr};
GdiObject g_stockWhiteBrush{GdiObject::Kind::Brush, Qt::white, 0, {}, 0, true, nullptr};
GdiObject g_stockFont{GdiObject::Kind::Font, Qt::black, 0, {}, 0, true, nullptr};

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

constexpr int kMaxContexts = 16;  // open at once, over all windows
std::optional<DeviceContext> g_contexts[kMaxContexts];
Canvas *g_unshown[8];  // canvases with changes the window system has not been asked to show
int g_unshownCount = 0;

// Asks the window system to show what changed, a rectangle at a time.
void ShowChanged(Canvas &c) {
  for (int i = 0; i < c.changedCount; ++i) PresentScreen(c.window, c.changed[i]);
  c.changedCount = 0;
}

// What was put on the screen during one turn of the event loop leaves in one
// write.
void ShowAllChanged() {
  for (int i = 0; i < g_unshownCount; ++i) ShowChanged(*g_unshown[i]);
  g_unshownCount = 0;
  FlushPutScreens();
}

// Changes are shown when the event loop wakes or is about to wait, outside
// the message that drew them, as a compositor would show them.
void WatchEventLoop() {
  static QPointer<QAbstractEventDispatcher> watched;
  QAbstractEventDispatcher *loop = QAbstractEventDispatcher::instance();
  if (!loop || loop == watched) return;
  watched = loop;
  QObject::connect(loop, &QAbstractEventDispatcher::awake, ShowAllChanged);
  QObject::connect(loop, &QAbstractEventDispatcher::aboutToBlock, ShowAllChanged);
}

long long Area(const QRect &r) { return (long long)r.width() * r.height(); }

// Keeps the changed rectangles disjoint: one that meets or touches another
// merges with it; when they are too many, the pair that grows least merges.
void AddChanged(Canvas &c, QRect r) {
  r &= c.image.rect();
  if (r.isEmpty()) return;
  if (c.changedCount == 0) {
    if (g_unshownCount == int(std::size(g_unshown))) ShowAllChanged();
    g_unshown[g_unshownCount++] = &c;
  }
  for (;;) {
    int merge = -1;
    for (int i = 0; i < c.changedCount && merge < 0; ++i)
      if (c.changed[i].adjusted(-1, -1, 1, 1).intersects(r)) merge = i;
    if (merge < 0 && c.changedCount == kMaxChanged) {
      long long least = -1;
      for (int i = 0; i < c.changedCount; ++i) {
        long long growth = Area(c.changed[i] | r) - Area(c.changed[i]) - Area(r);
        if (least < 0 || growth < least) least = growth, merge = i;
      }
    }
    if (merge < 0) break;
    r |= c.changed[merge];
    c.changed[merge] = c.changed[--c.changedCount];
  }
  c.changed[c.changedCount++] = r;
}

// The window's canvas on its current screen image; a new image (a resize)
// or one shared with a copy is taken afresh, with a coverage mask its size.
Canvas &OpenCanvas(Window *w) {
  if (!w->canvas) {
    w->canvas.reset(new Canvas);
    w->canvas->window = w;
    WatchEventLoop();
  }
  Canvas &c = *w->canvas;
  uchar *bits = w->screen.bits();  // detaches a shared image before it is drawn on
  if (c.image.constBits() != bits || c.image.size() != w->screen.size() ||
      c.image.bytesPerLine() != w->screen.bytesPerLine() ||
      c.image.format() != w->screen.format()) {
    c.image = QImage(bits, w->screen.width(), w->screen.height(), w->screen.bytesPerLine(),
                     w->screen.format());
    if (c.coverage.width() != c.image.width() || c.coverage.height() != c.image.height())
      c.coverage.Resize(c.image.width(), c.image.height());
  }
  return c;
}

// Renders each glyph once, as Qt draws it unantialiased at a whole pixel,
// and keeps its ink.
Glyphs *MakeGlyphs(const QFont &font) {
  auto *g = new Glyphs;
  QFontMetrics metrics(font);
  const int margin = metrics.height();  // room for glyphs that reach out of their cell
  QImage cell(metrics.maxWidth() + 2 * margin, 3 * margin, QImage::Format_RGB32);
  for (int code = 0; code < 256; ++code) {
    const QChar c(code);  // the single-byte codes are Latin-1
    g->advance[code] = metrics.horizontalAdvance(c);
    g->first[code] = int(g->runs.size());
    cell.fill(Qt::white);
    QPainter p(&cell);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(margin, margin + metrics.ascent(), QString(c));
    p.end();
    for (int y = 0; y < cell.height(); ++y) {
      const auto *row = reinterpret_cast<const QRgb *>(cell.constScanLine(y));
      for (int x = 0; x < cell.width(); ++x) {
        if (qRed(row[x]) == 255) continue;
        int end = x;
        while (end < cell.width() && qRed(row[end]) != 255) ++end;
        g->runs.push_back(InkRun{short(x - margin), short(y - margin), short(end - x)});
        x = end;
      }
    }
  }
  g->first[256] = int(g->runs.size());
  return g;
}

HDC NewContext(Window *w) {
  if (!w || w->screen.isNull()) return nullptr;
  auto slot = std::find_if(std::begin(g_contexts), std::end(g_contexts),
                           [](const auto &c) { return !c.has_value(); });
  if (slot == std::end(g_contexts)) return nullptr;  // out of contexts, as GetDC can be
  if (g_stockFont.cellHeight == 0) {
    g_stockFont.font = FontForCell("Liberation Sans", false, 16);
    g_stockFont.cellHeight = 16;
    g_stockFont.glyphs.reset(MakeGlyphs(g_stockFont.font));
  }
  OpenCanvas(w);
  HDC dc = &slot->emplace(w);
  dc->pen = &g_stockBlackPen;
  dc->font = &g_stockFont;
  dc->brush = &g_stockWhiteBrush;
  return dc;
}

void FreeContext(HDC dc) {
  for (auto &slot : g_contexts)
    if (slot && &*slot == dc) slot.reset();
}

// Paints runs of pixels in the pen's colour and the context's mix: `runs`
// calls its argument with (y, left, right) for each run inside the image,
// each pixel in one run only.
template <class Runs>
void PaintRuns(HDC dc, Runs runs) {
  Canvas &c = *dc->window->canvas;
  const QRgb pen = dc->pen->color.rgb();
  const bool invert = dc->mix == R2_NOTXORPEN;
  uchar *bits = c.image.bits();
  const qsizetype stride = c.image.bytesPerLine();
  int left = INT_MAX, right = INT_MIN, top = INT_MAX, bottom = INT_MIN;
  runs([&](int y, int l, int r) {
    auto *row = reinterpret_cast<QRgb *>(bits + y * stride);
    if (invert)
      for (int x = l; x < r; ++x) row[x] = ~(row[x] ^ pen) | 0xff000000u;
    else
      std::fill(row + l, row + r, pen);
    left = std::min(left, l);
    right = std::max(right, r);
    top = std::min(top, y);
    bottom = std::max(bottom, y + 1);
  });
  if (left < right) AddChanged(c, QRect(left, top, right - left, bottom - top));
}

// Paints what the coverage marks, and clears the marks.
void Stroke(HDC dc) {
  PaintRuns(dc, [&](auto paint) { dc->window->canvas->coverage.Drain(paint); });
}

}  // namespace

void CanvasDeleter::operator()(Canvas *c) const {
  for (int i = 0; i < g_unshownCount; ++i)
    if (g_unshown[i] == c) g_unshown[i--] = g_unshown[--g_unshownCount];
  delete c;
}

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
  if (ps->hdc) AddChanged(*hwnd->canvas, hwnd->screen.rect());
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
  const QPoint to(x, y);
  // Each call is a line of its own, with round ends; one of no length
  // leaves the dot of its ends, as on the platform.
  Canvas &c = *dc->window->canvas;
  if (dc->pen->width > 1) {
    WideLine line(dc->position, to, dc->pen->width, 0);
    const int width = c.image.width(), bottom = std::min(line.bottom(), c.image.height());
    PaintRuns(dc, [&](auto paint) {
      RowSpan runs[3];
      for (int y = std::max(line.top(), 0); y < bottom; ++y)
        for (int i = 0, n = line.Row(y, runs); i < n; ++i) {
          const int left = std::max(runs[i].left, 0), right = std::min(runs[i].right, width);
          if (left < right) paint(y, left, right);
        }
    });
  } else {
    const QPoint ends[2] = {dc->position, to};
    MarkPolyline(c.coverage, ends, 2, false, 1);
    Stroke(dc);
  }
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
  AddChanged(*dc->window->canvas, QRect(x, y, 1, 1));
  return color;
}

COLORREF GetPixel(HDC dc, int x, int y) {
  if (!dc || !dc->window->screen.rect().contains(x, y)) return COLORREF(-1);
  QRgb p = dc->window->screen.pixel(x, y);
  return RGB(qRed(p), qGreen(p), qBlue(p));
}

namespace {

// Fills a rectangle of the image with one colour, clipped to the image.
void Fill(QImage &image, QRect r, QRgb color) {
  r &= image.rect();
  for (int y = r.top(); y <= r.bottom(); ++y) {
    auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
    std::fill(row + r.left(), row + r.right() + 1, color);
  }
}

}  // namespace

// Each glyph advanced by its own width from the start point, as the platform
// draws text: a digit is as wide in "1.111V" as in "1.000V".
BOOL TextOutA(HDC dc, int x, int y, LPCSTR text, int length) {
  if (!dc || !text || length <= 0) return 0;
  const Glyphs &g = *dc->font->glyphs;
  int width = 0;
  for (int i = 0; i < length; ++i) width += g.advance[uchar(text[i])];
  if ((dc->align & TA_CENTER) == TA_CENTER)
    x -= width / 2;
  else if (dc->align & TA_RIGHT)
    x -= width;
  const QRect box(x, y, width, dc->font->cellHeight);
  QImage &image = dc->window->canvas->image;
  if (dc->bkMode == OPAQUE) Fill(image, box, ToQColor(dc->bkColor).rgb());
  const QRgb ink = ToQColor(dc->textColor).rgb();
  QRect inked = box;
  for (int i = 0, penX = x; i < length; penX += g.advance[uchar(text[i])], ++i) {
    const uchar code = uchar(text[i]);
    for (int r = g.first[code]; r < g.first[code + 1]; ++r) {
      const QRect run(penX + g.runs[r].x, y + g.runs[r].y, g.runs[r].length, 1);
      Fill(image, run, ink);
      inked |= run;
    }
  }
  AddChanged(*dc->window->canvas, inked);
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
  Canvas &c = *dc->window->canvas;
  EllipseOutline(c.coverage, Box{left, top, right, bottom});
  MarkPolyline(c.coverage, c.coverage.outline.data(), int(c.coverage.outline.size()), true,
               dc->pen->width);
  // The brush fills what the outline leaves inside, always in the copy mix.
  const QRgb brush = dc->brush->color.rgb();
  QRect filled;
  PolygonInside(c.coverage, [&](int y, int l, int r) {
    auto *row = reinterpret_cast<QRgb *>(c.image.scanLine(y));
    std::fill(row + l, row + r, brush);
    filled |= QRect(l, y, r - l, 1);
  });
  AddChanged(c, filled);
  Stroke(dc);
  return 1;
}

BOOL Arc(HDC dc, int left, int top, int right, int bottom, int xs, int ys, int xe, int ye) {
  if (!dc) return 0;
  Coverage &coverage = dc->window->canvas->coverage;
  ArcOutline(coverage, Box{left, top, right, bottom}, QPoint(xs, ys), QPoint(xe, ye));
  MarkPolyline(coverage, coverage.outline.data(), int(coverage.outline.size()), false,
               dc->pen->width);
  Stroke(dc);
  return 1;
}

HPEN CreatePen(int, int width, COLORREF color) {
  width = width < 1 ? 1 : width;
  return new GdiObject{GdiObject::Kind::Pen, ToQColor(color), width, {}, 0, false, nullptr};
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
  QFont font = FontForCell(face, bold, cell);
  return new GdiObject{GdiObject::Kind::Font,
                       Qt::black,
                       0,
                       font,
                       cell,
                       false,
                       std::unique_ptr<Glyphs>(MakeGlyphs(font))};
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
