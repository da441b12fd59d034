// A top-level window's screen image put straight on its X11 window. Qt's
// backing store would copy each change into an image of its own and wait for
// the server; the screen image already holds the pixels in the server's
// layout, so the changed rectangles go as they are, one write per turn.
#include <xcb/xcb.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#include "platform/qt/internal.h"

namespace {

constexpr int kBytesPerPixel = 4;
constexpr size_t kStripBytes = 256 * 1024;  // the rows of one request, when not whole rows
constexpr int kX11Extent = 32768;           // X11 places pixels at 16-bit signed coordinates

xcb_connection_t *g_connection = nullptr;  // Qt's, once a window shows its image directly
xcb_gcontext_t g_gc = 0;                   // copies pixels as they are
uint8_t g_depth = 0;                       // of the windows that show their image directly
bool g_unflushed = false;                  // requests wait in the connection's buffer
alignas(4) uint8_t g_strip[kStripBytes];   // the part rows of one request

const xcb_visualtype_t *FindVisual(xcb_connection_t *c, xcb_visualid_t id, uint8_t depth) {
  for (auto s = xcb_setup_roots_iterator(xcb_get_setup(c)); s.rem; xcb_screen_next(&s))
    for (auto d = xcb_screen_allowed_depths_iterator(s.data); d.rem; xcb_depth_next(&d))
      if (d.data->depth == depth)
        for (auto v = xcb_depth_visuals_iterator(d.data); v.rem; xcb_visualtype_next(&v))
          if (v.data->visual_id == id) return v.data;
  return nullptr;
}

// Whether a pixel of the given depth is 32 bits, in this machine's byte
// order, 0x00RRGGBB: QImage::Format_RGB32 as it lies in memory.
bool SameLayout(xcb_connection_t *c, const xcb_visualtype_t &v, uint8_t depth) {
  const xcb_setup_t *setup = xcb_get_setup(c);
  bool littleEndian = setup->image_byte_order == XCB_IMAGE_ORDER_LSB_FIRST;
  if (littleEndian != (std::endian::native == std::endian::little)) return false;
  if (v._class != XCB_VISUAL_CLASS_TRUE_COLOR || v.red_mask != 0xff0000 || v.green_mask != 0xff00 ||
      v.blue_mask != 0xff)
    return false;
  for (auto f = xcb_setup_pixmap_formats_iterator(setup); f.rem; xcb_format_next(&f))
    if (f.data->depth == depth) return f.data->bits_per_pixel == 32 && f.data->scanline_pad == 32;
  return false;
}

}  // namespace

bool CanPutScreenDirectly(QWidget *widget) {
  xcb_connection_t *c = QtConnection();
  if (!c) return false;
  auto window = xcb_window_t(widget->winId());
  Reply attributes(
      xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, window), nullptr));
  Reply geometry(xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr));
  if (!attributes || !geometry) return false;
  const xcb_visualtype_t *visual = FindVisual(c, attributes->visual, geometry->depth);
  if (!visual || !SameLayout(c, *visual, geometry->depth)) return false;
  if (g_gc && geometry->depth != g_depth) return false;
  if (!g_gc) {
    g_connection = c;
    g_depth = geometry->depth;
    g_gc = xcb_generate_id(c);
    uint32_t noExposures = 0;
    xcb_create_gc(c, g_gc, window, XCB_GC_GRAPHICS_EXPOSURES, &noExposures);
  }
  return true;
}

PutPieces PlanPut(QRect changed, QSize image, std::size_t requestBytes) {
  QRect area = changed & QRect(QPoint(0, 0), image) & QRect(0, 0, kX11Extent, kX11Extent);
  if (area.isEmpty()) return PutPieces{};
  auto rowBytes = size_t(area.width()) * kBytesPerPixel;
  bool wholeRows = area.width() == image.width() && rowBytes <= requestBytes;
  size_t pieceBytes = wholeRows ? requestBytes : std::min(kStripBytes, requestBytes);
  int columns = int(std::min(size_t(area.width()), pieceBytes / kBytesPerPixel));
  int rows = int(std::min(pieceBytes / (size_t(columns) * kBytesPerPixel), size_t(kX11Extent)));
  return PutPieces{area, columns, rows};
}

void PutScreen(QWidget *widget, const QImage &screen, QRect r) {
  size_t requestBytes = size_t(xcb_get_maximum_request_length(g_connection)) * 4 - 32;
  PutPieces plan = PlanPut(r, screen.size(), requestBytes);
  if (plan.area.isEmpty()) return;
  auto window = xcb_window_t(widget->winId());
  QRect a = plan.area;
  for (int y = a.top(); y <= a.bottom(); y += plan.rows) {
    int rows = std::min(plan.rows, a.bottom() + 1 - y);
    for (int x = a.left(); x <= a.right(); x += plan.columns) {
      int columns = std::min(plan.columns, a.right() + 1 - x);
      size_t rowBytes = size_t(columns) * kBytesPerPixel;
      const uint8_t *data = screen.constScanLine(y);
      if (columns != screen.width()) {
        for (int i = 0; i < rows; ++i)
          std::memcpy(g_strip + i * rowBytes, screen.constScanLine(y + i) + x * kBytesPerPixel,
                      rowBytes);
        data = g_strip;
      }
      xcb_put_image(g_connection, XCB_IMAGE_FORMAT_Z_PIXMAP, window, g_gc, uint16_t(columns),
                    uint16_t(rows), int16_t(x), int16_t(y), 0, g_depth, uint32_t(rows * rowBytes),
                    data);
    }
  }
  g_unflushed = true;
}

void FlushPutScreens() {
  if (!g_unflushed) return;
  g_unflushed = false;
  xcb_flush(g_connection);
}
