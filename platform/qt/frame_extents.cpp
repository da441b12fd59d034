// The frame an X11 window manager puts round a window, asked for before the
// window is first shown, so that it is shown at its final outer size.
#include <poll.h>
#include <xcb/xcb.h>

#include <QDeadlineTimer>
#include <QGuiApplication>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/qt/internal.h"

namespace {

constexpr int kFrameWaitMs = 1000;  // a window manager that says it answers does so at once

template <typename T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;
using Connection = std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)>;

xcb_atom_t Atom(xcb_connection_t *c, const char *name) {
  Reply<xcb_intern_atom_reply_t> reply(
      xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(std::strlen(name)), name), nullptr),
      &std::free);
  return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// The 32-bit values of a window property.
std::vector<uint32_t> Property(xcb_connection_t *c, xcb_window_t window, xcb_atom_t property,
                               xcb_atom_t type) {
  Reply<xcb_get_property_reply_t> reply(
      xcb_get_property_reply(c, xcb_get_property(c, 0, window, property, type, 0, 1024), nullptr),
      &std::free);
  if (!reply || reply->format != 32) return {};
  auto *values = static_cast<const uint32_t *>(xcb_get_property_value(reply.get()));
  return std::vector<uint32_t>(values, values + xcb_get_property_value_length(reply.get()) / 4);
}

// A running window manager names on the root a window of its own that names
// itself; one that has exited leaves at most the root's word behind.
bool WindowManagerRuns(xcb_connection_t *c, xcb_window_t root) {
  xcb_atom_t check = Atom(c, "_NET_SUPPORTING_WM_CHECK");
  std::vector<uint32_t> named = Property(c, root, check, XCB_ATOM_WINDOW);
  return named.size() == 1 && Property(c, named[0], check, XCB_ATOM_WINDOW) == named;
}

// Asks the window manager for the frame and sleeps until it is told or the
// wait is over. The answer is watched on a connection of its own, so that
// the events Qt reads stay Qt's.
std::optional<QMargins> AskForFrame(xcb_window_t window, xcb_window_t root) {
  Connection own(xcb_connect(nullptr, nullptr), &xcb_disconnect);
  xcb_connection_t *c = own.get();
  if (xcb_connection_has_error(c)) return std::nullopt;
  uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
  xcb_change_window_attributes(c, window, XCB_CW_EVENT_MASK, &events);
  xcb_client_message_event_t message{};
  message.response_type = XCB_CLIENT_MESSAGE;
  message.format = 32;
  message.window = window;
  message.type = Atom(c, "_NET_REQUEST_FRAME_EXTENTS");
  xcb_send_event(c, 0, root,
                 XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                 reinterpret_cast<const char *>(&message));
  xcb_atom_t extents = Atom(c, "_NET_FRAME_EXTENTS");
  QDeadlineTimer deadline(kFrameWaitMs);
  for (;;) {
    // left, right, top, bottom
    std::vector<uint32_t> e = Property(c, window, extents, XCB_ATOM_CARDINAL);
    if (e.size() == 4) return QMargins(int(e[0]), int(e[2]), int(e[1]), int(e[3]));
    // The change may have come in with the reply: then it waits in xcb's
    // queue, not on the socket, and the socket would tell of nothing more.
    bool queued = false;
    for (xcb_generic_event_t *event; (event = xcb_poll_for_queued_event(c)); queued = true)
      std::free(event);
    if (queued) continue;
    pollfd fd{xcb_get_file_descriptor(c), POLLIN, 0};
    if (deadline.hasExpired() || poll(&fd, 1, int(deadline.remainingTime())) <= 0)
      return std::nullopt;
    for (xcb_generic_event_t *event; (event = xcb_poll_for_event(c));) std::free(event);
    if (xcb_connection_has_error(c)) return std::nullopt;
  }
}

}  // namespace

std::optional<QMargins> FrameBeforeShowing(QWidget *widget) {
  auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (QGuiApplication::platformName() != "xcb" || !x11 || !x11->connection()) return std::nullopt;
  xcb_connection_t *c = x11->connection();
  auto window = xcb_window_t(widget->winId());
  Reply<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(c, xcb_query_tree(c, window), nullptr),
                                     &std::free);
  if (!tree) return std::nullopt;
  // No window manager runs, so nothing will frame the window.
  if (!WindowManagerRuns(c, tree->root)) return QMargins();
  std::vector<uint32_t> supported =
      Property(c, tree->root, Atom(c, "_NET_SUPPORTED"), XCB_ATOM_ATOM);
  if (std::find(supported.begin(), supported.end(), Atom(c, "_NET_REQUEST_FRAME_EXTENTS")) ==
      supported.end())
    return std::nullopt;
  return AskForFrame(window, tree->root);
}

QRect OuterRectOver(QWidget *widget, QMargins frame, QWidget *other) {
  auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (QGuiApplication::platformName() != "xcb" || !x11 || !x11->connection()) {
    QRect outer = widget->frameGeometry() | widget->geometry().marginsAdded(frame);
    return outer.translated(-other->mapToGlobal(QPoint(0, 0)));
  }
  xcb_connection_t *c = x11->connection();
  auto window = xcb_window_t(widget->winId()), to = xcb_window_t(other->winId());
  // The window itself, grown by the frame it will get, and the top-level
  // ancestor that is its frame once the window manager has put one round it.
  QRect outer;
  for (xcb_window_t w = window; w != XCB_WINDOW_NONE;) {
    Reply<xcb_get_geometry_reply_t> g(xcb_get_geometry_reply(c, xcb_get_geometry(c, w), nullptr),
                                      &std::free);
    Reply<xcb_translate_coordinates_reply_t> at(
        xcb_translate_coordinates_reply(c, xcb_translate_coordinates(c, w, to, 0, 0), nullptr),
        &std::free);
    Reply<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(c, xcb_query_tree(c, w), nullptr),
                                       &std::free);
    if (!g || !at || !tree) break;
    QRect r(at->dst_x, at->dst_y, g->width, g->height);
    r = r.marginsAdded(
        QMargins(g->border_width, g->border_width, g->border_width, g->border_width));
    outer |= w == window ? r.marginsAdded(frame) : r;
    w = tree->parent == tree->root ? xcb_window_t(XCB_WINDOW_NONE) : tree->parent;
  }
  // In the other's pixels, which are the device's over its scale.
  qreal scale = other->devicePixelRatioF();
  return QRectF(outer.x() / scale, outer.y() / scale, outer.width() / scale, outer.height() / scale)
      .toAlignedRect();
}
