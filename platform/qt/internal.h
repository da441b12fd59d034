// Shared between the files of the Qt driver only.
#pragma once

#include <QImage>
#include <QPointer>
#include <QWidget>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>

#include "platform/qt/testing.h"
#include "platform/user/driver.h"

// The program's texts are UTF-8.
inline QString FromUtf8(const std::string &text) {
  return QString::fromUtf8(text.data(), qsizetype(text.size()));
}
inline QRect ToQRect(const Rect &r) { return QRect(r.left, r.top, r.Width(), r.Height()); }
inline Rect FromQRect(const QRect &r) {
  return Rect{r.left(), r.top(), r.right() + 1, r.bottom() + 1};
}

QWidget *WidgetOf(const Window *);
// The window a widget, or a top-level window's QWindow, shows; or null.
Window *WindowOf(const QObject *);
// Marks the widget (the first one: the window's) or QWindow as showing it.
void Attach(Window *, QObject *);

// accessibility.cpp: the texts of top-level windows for assistive technology.
void InstallAccessibility();

// glyphs.cpp: a font of the family where it is installed, else of those
// that stand in for it.
QFont FontOf(const std::string &family, HanForm);

// application.cpp
void EnsureApplication();
// Handles events, asleep between them, until `done` or for `ms` at most.
void WaitUntil(const std::function<bool()> &done, int ms);

// frame_extents.cpp
struct xcb_connection_t;
xcb_connection_t *QtConnection();  // null on other window systems than X11
template <typename T>
struct Reply : std::unique_ptr<T, decltype(&std::free)> {  // of an xcb request
  explicit Reply(T *reply) : std::unique_ptr<T, decltype(&std::free)>(reply, &std::free) {}
};
// The frame the window manager will put round a top-level window, asked
// before it is first shown; none when it cannot tell.
std::optional<QMargins> FrameBeforeShowing(QWidget *);
// Where a window lies with its frame, as the window system has it now, in
// the client coordinates of another; `frame` goes round it where the window
// manager has not put its own yet.
QRect OuterRectOver(QWidget *, QMargins frame, QWidget *other);
// Asks the window manager to answer for a window it was asked to hide. The
// answer comes once it has handled all that was asked of it before; then
// `answered` runs, after the events that came before, with the frame the
// window manager tells for the window. False when no answer will come.
bool AskWindowManager(QWidget *, std::function<void(QMargins frame)> answered);

// screen_x11.cpp: whether the widget's X11 window takes the screen image's
// pixels as they are; putting them, and sending what was put.
bool CanPutScreenDirectly(QWidget *);
void PutScreen(QWidget *, const QImage &screen, QRect);
void FlushPutScreens();
