// Shared between the Qt-backed files of the platform layer only.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPointer>
#include <QRect>
#include <QWidget>
#include <memory>
#include <optional>
#include <vector>

#include "platform/qt/dialog_template.h"
#include "platform/win.h"

// A window's screen image as its device contexts draw on it (draw.cpp).
struct Canvas;
struct CanvasDeleter {
  void operator()(Canvas *) const;
};

struct Window {
  QPointer<QWidget> widget;
  WNDPROC proc = nullptr;     // top-level windows
  DLGPROC dlgProc = nullptr;  // dialogs
  Window *parent = nullptr;   // a dialog's owner, a control's dialog
  int id = 0;                 // a control's id
  bool invalid = false;       // a WM_PAINT is due
  bool destroyed = false;
  QImage screen;            // a top-level window's client area, kept between paints
  bool putsScreen = false;  // shows it straight on its X11 window, not through Qt's backing store
  QSize reportedSize;       // the size given with the last WM_SIZE
  std::unique_ptr<Canvas, CanvasDeleter> canvas;  // made by the first device context
  QSize outerToFit;  // an outer size to set once shown, when the frame was not known before
  QRect savedBits;   // where a dialog has just closed over the window, in its client area
  QMargins frame;    // a dialog's frame, as the window manager told before it was shown
  bool dialogEnded = false;
  INT_PTR dialogResult = 0;
};

// A font's glyphs for the 256 single-byte codes, laid out as the platform
// lays text out: each advanced by its own width, no kerning, no shaping. Each
// glyph's ink is kept as horizontal runs, so drawing text is filling them.
struct InkRun {
  short x, y, length;  // from the glyph's origin at the top of its cell
};
struct Glyphs {
  int advance[256];
  int first[257];  // the runs of code c are runs[first[c]] up to runs[first[c + 1]]
  std::vector<InkRun> runs;
};

struct GdiObject {
  enum class Kind { Pen, Font, Brush } kind;
  QColor color;
  int width = 1;
  QFont font;
  int cellHeight = 0;              // a font's line height: the requested height, padded
  bool stock = false;              // never deleted
  std::unique_ptr<Glyphs> glyphs;  // a font's, made with it
};

// The frame the window manager will put round a top-level window, asked
// before the window is first shown; none when it cannot tell.
std::optional<QMargins> FrameBeforeShowing(QWidget *);
// Where a window lies with its frame, as the window system has it now, in
// the client coordinates of another; a frame not put round it yet counts
// as the one given.
QRect OuterRectOver(QWidget *, QMargins frame, QWidget *other);
// Creates the QApplication on first use.
void EnsureApplication();
// Queues a message as PostMessageA does.
void QueueMessage(HWND, UINT, WPARAM, LPARAM);
// Shows the changed part of a window's screen image.
void PresentScreen(Window *, const QRect &changed);
// Whether a widget's X11 window takes pixels laid out as a screen image's
// (screen_x11.cpp); false on other window systems.
bool CanPutScreenDirectly(QWidget *);
// How a changed rectangle of a screen image goes to an X11 window: clipped
// to the image and to X11's coordinates, in pieces of at most columns by rows
// that fit a request of requestBytes and, unless whole rows, the copy strip.
struct PutPieces {
  QRect area;
  int columns = 0, rows = 0;
};
PutPieces PlanPut(QRect changed, QSize image, size_t requestBytes);
// Sends part of a screen image to a widget's X11 window, once flushed.
void PutScreen(QWidget *, const QImage &screen, QRect);
// Sends what was put; the changes shown at each turn of the event loop are sent so.
void FlushPutScreens();
// Messages to dialog controls (dialog.cpp).
LRESULT SendControlMessage(Window *, UINT, WPARAM, LPARAM);
// The innermost dialog that is running, which has the keyboard; null when none.
QWidget *OpenDialog();
