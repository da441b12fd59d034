// The frame an X11 window manager puts round a window, asked for before the
// window is first shown, so that it is shown at its final outer size; and
// the window manager's answer for a window it was asked to hide.
#include <xcb/xcb.h>

#include <QAbstractNativeEventFilter>
#include <QGuiApplication>
#include <QWindow>
#include <algorithm>
#include <cstring>
#include <deque>
#include <utility>
#include <vector>

#include "platform/qt/internal.h"

namespace {

constexpr int kFrameWaitMs = 1000;  // a window manager that says it answers does so at once

xcb_atom_t Atom(xcb_connection_t *c, const char *name) {
  Reply reply(
      xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(std::strlen(name)), name), nullptr));
  return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// The 32-bit values of a window property.
std::vector<uint32_t> Property(xcb_window_t window, const char *property, xcb_atom_t type) {
  xcb_connection_t *c = QtConnection();
  Reply reply(xcb_get_property_reply(
      c, xcb_get_property(c, 0, window, Atom(c, property), type, 0, 1024), nullptr));
  if (!reply || reply->format != 32) return {};
  auto *values = static_cast<const uint32_t *>(xcb_get_property_value(reply.get()));
  return std::vector<uint32_t>(values, values + xcb_get_property_value_length(reply.get()) / 4);
}

xcb_window_t Root() { return xcb_setup_roots_iterator(xcb_get_setup(QtConnection())).data->root; }

// A running window manager names on the root a window of its own that names
// itself; one that has exited leaves at most the root's word behind.
bool WindowManagerRuns() {
  std::vector<uint32_t> named = Property(Root(), "_NET_SUPPORTING_WM_CHECK", XCB_ATOM_WINDOW);
  return named.size() == 1 &&
         Property(named[0], "_NET_SUPPORTING_WM_CHECK", XCB_ATOM_WINDOW) == named;
}

// Whether a window manager runs that tells frames on request.
bool TellsFrames() {
  const std::vector<uint32_t> supported = Property(Root(), "_NET_SUPPORTED", XCB_ATOM_ATOM);
  return WindowManagerRuns() &&
         std::ranges::count(supported, Atom(QtConnection(), "_NET_REQUEST_FRAME_EXTENTS"));
}

void RequestFrame(QWindow *window) {
  xcb_client_message_event_t message{};
  message.response_type = XCB_CLIENT_MESSAGE;
  message.format = 32;
  message.window = xcb_window_t(window->winId());
  message.type = Atom(QtConnection(), "_NET_REQUEST_FRAME_EXTENTS");
  xcb_send_event(QtConnection(), 0, Root(),
                 XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                 reinterpret_cast<const char *>(&message));
  xcb_flush(QtConnection());
}

// The frame the window manager has told on a window, if it has.
std::optional<QMargins> FrameOf(const QWindow *window) {
  const std::vector<uint32_t> e =  // left, right, top, bottom
      Property(xcb_window_t(window->winId()), "_NET_FRAME_EXTENTS", XCB_ATOM_CARDINAL);
  if (e.size() != 4) return std::nullopt;
  return QMargins(int(e[0]), int(e[2]), int(e[1]), int(e[3]));
}

// The window manager's answers, told on a window of the program's own that
// it never shows: it answers each request for that window's frame in turn,
// after all that was asked of it before.
class Answers : public QAbstractNativeEventFilter {
 public:
  struct Waiting {
    QPointer<QWidget> window;
    std::function<void(QMargins)> answered;
  };
  QWindow probe;
  xcb_atom_t extents = Atom(QtConnection(), "_NET_FRAME_EXTENTS");
  std::deque<Waiting> waiting;

  bool nativeEventFilter(const QByteArray &, void *message, qintptr *) override {
    auto *e = static_cast<const xcb_property_notify_event_t *>(message);
    if ((e->response_type & 0x7f) != XCB_PROPERTY_NOTIFY || e->window != probe.winId() ||
        e->atom != extents || waiting.empty())
      return false;
    Waiting w = std::move(waiting.front());
    waiting.pop_front();
    const QMargins frame =
        w.window ? FrameOf(w.window->windowHandle()).value_or(QMargins()) : QMargins();
    // Qt hands on the events read with this one after it: an expose among
    // them comes before the answer.
    QMetaObject::invokeMethod(
        qApp, [answered = std::move(w.answered), frame] { answered(frame); }, Qt::QueuedConnection);
    return false;
  }
};

}  // namespace

xcb_connection_t *QtConnection() {
  auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  return QGuiApplication::platformName() == "xcb" && x11 ? x11->connection() : nullptr;
}

std::optional<QMargins> FrameBeforeShowing(QWidget *widget) {
  if (!QtConnection()) return std::nullopt;
  widget->winId();  // makes its native window
  QWindow *window = widget->windowHandle();
  // No window manager runs, so nothing will frame the window.
  if (!WindowManagerRuns()) return QMargins();
  if (!TellsFrames()) return std::nullopt;
  RequestFrame(window);
  std::optional<QMargins> frame;
  WaitUntil([&] { return (frame = FrameOf(window)).has_value(); }, kFrameWaitMs);
  return frame;
}

bool AskWindowManager(QWidget *widget, std::function<void(QMargins)> answered) {
  if (!QtConnection() || !TellsFrames()) return false;
  static Answers *answers = nullptr;
  if (!answers) {
    answers = new Answers;
    answers->probe.create();
    qApp->installNativeEventFilter(answers);
  }
  // The window's frame is asked anew, so that the answer tells it as it stands.
  RequestFrame(widget->windowHandle());
  RequestFrame(&answers->probe);
  answers->waiting.push_back(Answers::Waiting{widget, std::move(answered)});
  return true;
}

QRect OuterRectOver(QWidget *widget, QMargins frame, QWidget *other) {
  xcb_connection_t *c = QtConnection();
  if (!c) {
    QRect outer = widget->frameGeometry() | widget->geometry().marginsAdded(frame);
    return outer.translated(-other->mapToGlobal(QPoint(0, 0)));
  }
  auto window = xcb_window_t(widget->winId()), to = xcb_window_t(other->winId());
  // The window itself, grown by the frame it will get, and the top-level
  // ancestor that is its frame once the window manager has put one round it.
  QRect outer;
  for (xcb_window_t w = window; w != XCB_WINDOW_NONE;) {
    Reply g(xcb_get_geometry_reply(c, xcb_get_geometry(c, w), nullptr));
    Reply at(
        xcb_translate_coordinates_reply(c, xcb_translate_coordinates(c, w, to, 0, 0), nullptr));
    Reply tree(xcb_query_tree_reply(c, xcb_query_tree(c, w), nullptr));
    if (!g || !at || !tree) break;
    const int b = g->border_width;
    const QRect r = QRect(at->dst_x, at->dst_y, g->width, g->height).marginsAdded({b, b, b, b});
    outer |= w == window ? r.marginsAdded(frame) : r;
    w = tree->parent == tree->root ? xcb_window_t(XCB_WINDOW_NONE) : tree->parent;
  }
  // In the other's pixels, which are the device's over its scale.
  const qreal scale = other->devicePixelRatioF();
  return QRectF(QPointF(outer.topLeft()) / scale, QSizeF(outer.size()) / scale).toAlignedRect();
}
