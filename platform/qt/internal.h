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

#include "platform/user/dialog_template.h"
#include "platform/gdi/surface.h"
#include "platform/win.h"

struct Window {
  QPointer<QWidget> widget;
  WNDPROC proc = nullptr;     // top-level windows
  DLGPROC dlgProc = nullptr;  // dialogs
  Window *parent = nullptr;   // a dialog's owner, a control's dialog
  int id = 0;                 // a control's id
  bool invalid = false;       // a WM_PAINT is due
  bool destroyed = false;
  QImage screen;    // a top-level window's client area in device pixels, kept between paints
  Surface surface;  // the drawing core's view of it
  bool putsScreen = false;  // shows it straight on its X11 window, not through Qt's backing store
  QSize reportedSize;       // the size given with the last WM_SIZE
  QSize outerToFit;         // an outer size to set once shown, when the frame was not known before
  QRect savedBits;          // where a dialog has just closed over the window, in its client area
  QMargins frame;           // a dialog's frame, as the window manager told before it was shown
  bool dialogEnded = false;
  INT_PTR dialogResult = 0;
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
// Shows the changed part of a window's screen image, in device pixels.
void PresentScreen(Window *, const QRect &changed);
// Gives a window a white screen image for a client area of `client` logical
// pixels at `scale` device pixels each (draw.cpp).
void MakeScreen(Window *, QSize client, qreal scale);
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
