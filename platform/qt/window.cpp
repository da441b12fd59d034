// Top-level windows on Qt: a QWidget that shows the window's screen image
// and tells the window manager what happens to it.
#include <QApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>
#include <utility>

#include "platform/qt/internal.h"

namespace {

constexpr int kFitWaitMs = 1000;  // for a window manager to frame a shown window
constexpr char kWindowProperty[] = "ondulane_window";

// What the driver keeps of a window, behind Window::driver.
struct Native {
  QPointer<QWidget> widget;
  QImage screen;            // a top-level window's Window::pixels, not copied
  bool putsScreen = false;  // shown straight on its X11 window, past Qt's backing store
  QSize outerToFit;         // to set once shown, when the frame was not known before
};

Native &NativeOf(const Window *w) { return *static_cast<Native *>(w->driver); }

// The screen image as a QImage on the window's own pixels, not copied.
const QImage &ScreenImage(Window *w) {
  QImage &image = NativeOf(w).screen;
  const Surface &s = w->surface;
  if (image.constBits() != reinterpret_cast<const uchar *>(s.pixels) || image.width() != s.width ||
      image.height() != s.height || image.devicePixelRatio() != s.scale) {
    // Format_RGB32 is 0xffRRGGBB words, as the screen image has them.
    image = s.width > 0 && s.height > 0
                ? QImage(reinterpret_cast<uchar *>(s.pixels), s.width, s.height,
                         qsizetype(s.stride) * 4, QImage::Format_RGB32)
                : QImage();
    image.setDevicePixelRatio(s.scale);
  }
  return image;
}

// The device pixels of a screen image under a rectangle of logical pixels.
QRect DeviceRect(const QImage &screen, const QRect &logical) {
  return ToQRect(FromQRect(logical).Scaled(screen.devicePixelRatio())) & screen.rect();
}

class ScreenWidget : public QWidget {
 public:
  explicit ScreenWidget(Window *w) : window_(w) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::StrongFocus);
  }

  bool event(QEvent *e) override {
    if (e->type() == QEvent::WindowActivate) WindowActivated(window_);
    return QWidget::event(e);
  }

  // A new size, minimising, or a screen of another scale.
  void Resized() {
    const bool shown = !isMinimized();
    WindowResized(window_,
                  ClientArea{shown ? width() : 0, shown ? height() : 0, devicePixelRatioF()});
  }

 protected:
  // Shown straight on the X11 window, Qt paints nothing of it.
  QPaintEngine *paintEngine() const override {
    return window_->driver && NativeOf(window_).putsScreen ? nullptr : QWidget::paintEngine();
  }

  // A rectangle at a time: the bounding one would copy what did not change.
  // Device pixels land on device pixels: nothing is smoothed.
  void paintEvent(QPaintEvent *e) override {
    if (window_->destroyed) return;
    const QImage &screen = ScreenImage(window_);
    const bool put = NativeOf(window_).putsScreen;
    QPainter p;
    if (!put) p.begin(this);
    for (const QRect &r : e->region()) {
      const QRect device = DeviceRect(screen, r);
      const qreal scale = screen.devicePixelRatio();
      if (put)
        PutScreen(this, screen, device);
      else
        p.drawImage(QRectF(QPointF(device.topLeft()) / scale, QSizeF(device.size()) / scale),
                    screen, device);
    }
    if (put) FlushPutScreens();
  }

  void resizeEvent(QResizeEvent *) override { Resized(); }

  void changeEvent(QEvent *e) override {
    if (e->type() == QEvent::WindowStateChange) Resized();
    QWidget::changeEvent(e);
  }

 private:
  Window *window_;
};

// For a window manager that cannot tell the frame before the window is
// shown: waits, asleep between events, until it has placed it, and sets the
// outer size then.
void FitOuterSize(QWidget *widget, QSize outer) {
  if (QGuiApplication::platformName() == "offscreen") return;
  WaitUntil([widget] { return widget->frameGeometry().size() != widget->size(); }, kFitWaitMs);
  widget->resize(outer - (widget->frameGeometry().size() - widget->size()));
  widget->move(0, 0);
}

}  // namespace

QWidget *WidgetOf(const Window *w) { return w && w->driver ? NativeOf(w).widget.data() : nullptr; }

Window *WindowOf(const QObject *o) {
  return o ? static_cast<Window *>(o->property(kWindowProperty).value<void *>()) : nullptr;
}

void Attach(Window *w, QObject *o) {
  if (!w->driver) {
    w->driver = new Native;
    NativeOf(w).widget = qobject_cast<QWidget *>(o);
  }
  o->setProperty(kWindowProperty, QVariant::fromValue(static_cast<void *>(w)));
}

ClientArea DriverCreateWindow(Window *hwnd, Rect outer) {
  EnsureApplication();
  auto *widget = new ScreenWidget(hwnd);
  Attach(hwnd, widget);
  widget->setWindowTitle(FromUtf8(hwnd->text));
  widget->setMinimumSize(1, 1);
  const QRect asked(outer.left, outer.top, outer.Width(), outer.Height());
  widget->setGeometry(asked);
  // The size given is the outer one: the client is what the frame leaves.
  if (std::optional<QMargins> frame = FrameBeforeShowing(widget))
    widget->setGeometry(asked.marginsRemoved(*frame));
  else
    NativeOf(hwnd).outerToFit = asked.size();
  if (CanPutScreenDirectly(widget)) {
    NativeOf(hwnd).putsScreen = true;
    widget->setAttribute(Qt::WA_PaintOnScreen);
  }
  return ClientArea{widget->width(), widget->height(), widget->devicePixelRatioF()};
}

void DriverShowWindow(Window *hwnd) {
  auto *widget = static_cast<ScreenWidget *>(WidgetOf(hwnd));
  widget->show();
  Attach(hwnd, widget->windowHandle());  // which the window system uncovers
  QObject::connect(widget->windowHandle(), &QWindow::screenChanged, widget,
                   [widget] { widget->Resized(); });
  if (QSize outer = std::exchange(NativeOf(hwnd).outerToFit, QSize()); outer.isValid())
    FitOuterSize(widget, outer);
  widget->activateWindow();
  widget->setFocus();
  QCoreApplication::processEvents();
}

void DriverMoveWindow(Window *hwnd, Rect outer) {
  WidgetOf(hwnd)->setGeometry(outer.left, outer.top, outer.Width(), outer.Height());
}

void DriverActivateWindow(Window *hwnd) {
  if (QWidget *widget = WidgetOf(hwnd)) widget->activateWindow();
}

void DriverDestroyWindow(Window *w) {
  auto *n = static_cast<Native *>(w->driver);
  if (!n) return;
  if (QWidget *widget = n->widget) {
    widget->setProperty(kWindowProperty, QVariant());
    if (QWindow *handle = widget->windowHandle()) handle->setProperty(kWindowProperty, QVariant());
    widget->hide();
    // A dialog's X11 window stays until the window manager has answered for it.
    if (w->kind == WindowKind::TopLevel)
      widget->deleteLater();
    else if (!w->answers)
      delete widget;
  }
  delete n;
  w->driver = nullptr;
}

void PresentChanged(Surface &s, const Rect &r) {
  auto *w = static_cast<Window *>(s.owner);
  QWidget *widget = w ? WidgetOf(w) : nullptr;
  if (!widget || r.Empty()) return;
  if (NativeOf(w).putsScreen) return PutScreen(widget, ScreenImage(w), ToQRect(r));
  widget->update(ToQRect(r.Scaled(1, s.scale)));
}

void FinishPresenting() { FlushPutScreens(); }

void ResizeClientForTesting(HWND hwnd, int width, int height) {
  if (QWidget *widget = WidgetOf(hwnd)) widget->resize(width, height);
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

bool SaveScreenPng(HWND hwnd, const char *path) {
  return hwnd && hwnd->driver && !ScreenImage(hwnd).isNull() &&
         ScreenImage(hwnd).save(QString::fromLocal8Bit(path), "PNG");
}
