// Windows, the message queue, the timer and the message box on Qt.
//
// A top-level window is a QWidget showing its persistent screen image. Qt
// events become queued messages; GetMessageA hands out posted messages first,
// then keyboard input, then one WM_PAINT for an invalid window, then one
// WM_TIMER per timer that fell due, so a tick never runs inside another
// message and late ticks merge. A key goes to whatever has the keyboard when
// it is taken, so keys typed ahead of a dialog land in the dialog.
#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QExposeEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/qt/internal.h"
#include "platform/qt/win_testing.h"

namespace {

struct WindowClass {
  WNDPROC proc;
  std::string name;
};

// A key as the window system delivered it, waiting to be taken.
struct PendingKey {
  Window *window;  // the top-level window it was typed into; null: a dialog
  std::unique_ptr<QKeyEvent> event;
};

struct TimerEntry {
  HWND hwnd;
  UINT id;
  std::unique_ptr<QTimer> timer;
  bool due = false;
};

std::vector<WindowClass> g_classes;              // registered window classes
std::deque<MSG> g_queue;                         // posted messages, oldest first
std::deque<PendingKey> g_keys;                   // keyboard input, oldest first
bool g_deliveringKey = false;                    // a taken key is on its way to a control
std::vector<std::unique_ptr<Window>> g_windows;  // every top-level window made
std::vector<TimerEntry> g_timers;                // running message timers
bool g_quitPosted = false;                       // PostQuitMessage was called
int g_quitCode = 0;                              // its exit code
int g_refusedTimers = 0;                         // SetTimer failures still to give
std::deque<int> g_scriptedAnswers;               // message-box answers for tests
int g_messageBoxCount = 0;                       // message boxes shown or answered
int g_screenWidthOverride = 0;                   // 0: ask the screen

int VirtualKey(const QKeyEvent *e) {
  int key = e->key();
  if (key == Qt::Key_Return || key == Qt::Key_Enter) return VK_RETURN;
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return VK_F1 + (key - Qt::Key_F1);
  if (key == Qt::Key_Escape) return VK_ESCAPE;
  if (key == Qt::Key_Space) return VK_SPACE;
  if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z)) return key;
  // No other key has a command; they all arrive as key 0 and are swallowed.
  return 0;
}

// The device pixels of a screen image under a rectangle of logical pixels.
QRect DeviceRect(const QImage &screen, const QRect &logical) {
  const qreal scale = screen.devicePixelRatio();
  const int left = int(std::floor(logical.x() * scale)), top = int(std::floor(logical.y() * scale));
  const int right = int(std::ceil((logical.x() + logical.width()) * scale));
  const int bottom = int(std::ceil((logical.y() + logical.height()) * scale));
  return QRect(left, top, right - left, bottom - top) & screen.rect();
}

// The client area of a top-level window: shows the screen image and turns
// what happens to it into messages.
class ScreenWidget : public QWidget {
 public:
  explicit ScreenWidget(Window *w) : window_(w) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::StrongFocus);
  }

  Window *window() const { return window_; }

  bool event(QEvent *e) override {
    // While one of its dialogs runs, activating the window activates the dialog.
    if (e->type() == QEvent::WindowActivate)
      if (QWidget *dialog = OpenDialog()) dialog->activateWindow();
    return QWidget::event(e);
  }

 protected:
  // Shown straight on the X11 window, Qt paints nothing of it.
  QPaintEngine *paintEngine() const override {
    return window_->putsScreen ? nullptr : QWidget::paintEngine();
  }

  void paintEvent(QPaintEvent *e) override {
    const QImage &screen = window_->screen;
    if (window_->putsScreen) {
      for (const QRect &r : e->region()) PutScreen(this, screen, DeviceRect(screen, r));
      FlushPutScreens();
      return;
    }
    // A rectangle at a time: the bounding one would copy what did not change.
    // Device pixels land on device pixels: nothing is smoothed.
    QPainter p(this);
    const qreal scale = screen.devicePixelRatio();
    for (const QRect &r : e->region()) {
      const QRect device = DeviceRect(screen, r);
      p.drawImage(QRectF(device.x() / scale, device.y() / scale, device.width() / scale,
                         device.height() / scale),
                  screen, device);
    }
  }

  void resizeEvent(QResizeEvent *) override { ClientResized(); }

  void changeEvent(QEvent *e) override {
    if (e->type() == QEvent::WindowStateChange) ClientResized();
    QWidget::changeEvent(e);
  }

  void closeEvent(QCloseEvent *e) override {
    // The window goes when its procedure lets WM_CLOSE reach DefWindowProcA;
    // while one of its dialogs runs it takes no commands at all.
    e->ignore();
    if (!OpenDialog()) QueueMessage(window_, WM_CLOSE, 0, 0);
  }

 public:
  // A new size, or a screen of another scale: a new screen image, and a
  // repaint at the scale the window now has.
  void ClientResized() {
    const QSize size = isMinimized() ? QSize(0, 0) : this->size();
    const qreal scale = devicePixelRatioF();
    const bool rescaled = scale != window_->screen.devicePixelRatio();
    if (size == window_->reportedSize && !rescaled) return;
    if (!size.isEmpty()) MakeScreen(window_, size, scale);
    if (size != window_->reportedSize) {
      window_->reportedSize = size;
      SendMessageA(window_, WM_SIZE, 0, MAKELPARAM(size.width(), size.height()));
    }
    if (!size.isEmpty()) window_->invalid = true;
  }

 private:
  Window *window_;
};

// Uncovering the window (an expose from the window system) repaints it all,
// except where one of the program's own dialogs closed over it.
class ExposeFilter : public QObject {
 public:
  ExposeFilter(Window *w, QObject *parent) : QObject(parent), window_(w) {}
  bool eventFilter(QObject *watched, QEvent *e) override {
    auto *window = static_cast<QWindow *>(watched);
    if (e->type() != QEvent::Expose || !window->isExposed()) return false;
    QT_WARNING_PUSH
    QT_WARNING_DISABLE_DEPRECATED
    QRect exposed = static_cast<QExposeEvent *>(e)->region().boundingRect();
    QT_WARNING_POP
    exposed.moveTopLeft(window->mapToGlobal(exposed.topLeft()));
    // What a dialog kept serves the uncovering of its own closing only.
    bool kept = window_->savedBits.contains(exposed);
    window_->savedBits = QRect();
    if (!kept) window_->invalid = true;
    return false;
  }

 private:
  Window *window_;
};

// Every key is held back in arrival order: those typed into the window, and
// those for a dialog's control while earlier keys still wait.
class KeyQueue : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject *receiver, QEvent *e) override {
    if ((e->type() != QEvent::KeyPress && e->type() != QEvent::KeyRelease) || g_deliveringKey)
      return false;
    auto *screen = dynamic_cast<ScreenWidget *>(receiver);
    if (!screen && g_keys.empty()) return false;
    auto *key = static_cast<QKeyEvent *>(e);
    g_keys.push_back(
        PendingKey{screen ? screen->window() : nullptr, std::unique_ptr<QKeyEvent>(key->clone())});
    return true;
  }
};

MSG KeyMessage(Window *w, const QKeyEvent &e) {
  int vk = VirtualKey(&e);
  bool alt = e.modifiers() & Qt::AltModifier;
  LPARAM flags = 1 | (alt ? 1 << 29 : 0) | (e.isAutoRepeat() ? 1 << 30 : 0);
  UINT message = alt || vk == VK_F10 ? WM_SYSKEYDOWN : WM_KEYDOWN;
  return MSG{w, message, WPARAM(vk), flags};
}

Window *MainWindow() {
  for (auto &w : g_windows)
    if (!w->destroyed && w->proc) return w.get();
  return nullptr;
}

// Gives a taken key to what has the keyboard now: the focused control of an
// open dialog, which handles it at once, or else a window procedure, as the
// message returned. Key releases matter to controls only.
bool RouteKey(const PendingKey &key, MSG *msg) {
  if (QWidget *dialog = OpenDialog()) {
    QWidget *focus = dialog->focusWidget() ? dialog->focusWidget() : dialog;
    g_deliveringKey = true;
    QApplication::sendEvent(focus, key.event.get());
    g_deliveringKey = false;
    return false;
  }
  // A key typed into a dialog that has closed since goes to its owner.
  Window *w = key.window && !key.window->destroyed ? key.window : MainWindow();
  if (!w || key.event->type() != QEvent::KeyPress) return false;
  *msg = KeyMessage(w, *key.event);
  return true;
}

Window *InvalidWindow() {
  for (auto &w : g_windows)
    if (w->invalid && !w->destroyed && w->proc) return w.get();
  return nullptr;
}

TimerEntry *DueTimer() {
  for (auto &t : g_timers)
    if (t.due) return &t;
  return nullptr;
}

bool TakeMessage(MSG *msg) {
  // A key handled by a control may post a message, which comes before the
  // next key: a dialog closed by ENTER gets no further keys.
  for (;;) {
    if (!g_queue.empty()) {
      *msg = g_queue.front();
      g_queue.pop_front();
      return true;
    }
    if (g_keys.empty()) break;
    PendingKey key = std::move(g_keys.front());
    g_keys.pop_front();
    if (RouteKey(key, msg)) return true;
  }
  if (g_quitPosted) {
    g_quitPosted = false;
    *msg = MSG{nullptr, WM_QUIT, WPARAM(g_quitCode), 0};
    return true;
  }
  if (Window *w = InvalidWindow()) {
    *msg = MSG{w, WM_PAINT, 0, 0};
    return true;
  }
  if (TimerEntry *t = DueTimer()) {
    t->due = false;
    *msg = MSG{t->hwnd, WM_TIMER, t->id, 0};
    return true;
  }
  return false;
}

// For a window manager that cannot tell the frame before the window is
// shown: waits until it has placed it, and sets the outer size then.
void FitOuterSize(QWidget *widget, QSize outer) {
  if (QGuiApplication::platformName() == "offscreen") return;
  QElapsedTimer clock;
  clock.start();
  while (widget->frameGeometry().size() == widget->size() && clock.elapsed() < 1000)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  QSize frame = widget->frameGeometry().size() - widget->size();
  widget->resize(outer - frame);
  widget->move(0, 0);
}

// Without a display Qt gives up with advice to reinstall and aborts: say
// what is wrong in one line instead, and fail. Its warnings on the way say
// the same at length.
void ReportNoDisplay(QtMsgType type, const QMessageLogContext &, const QString &) {
  if (type != QtFatalMsg) return;
  const char *display = std::getenv("DISPLAY");
  if (display && *display)
    std::fprintf(stderr, "ondulane: cannot open the display \"%s\"\n", display);
  else
    std::fprintf(stderr, "ondulane: no display to open (DISPLAY is not set)\n");
  std::_Exit(1);
}

}  // namespace

void EnsureApplication() {
  if (QApplication::instance()) return;
  // The program reads no command line; Qt only gets its name.
  static int argc = 1;
  static char name[] = "ondulane";
  static char *argv[] = {name, nullptr};
  QtMessageHandler previous = qInstallMessageHandler(ReportNoDisplay);
  new QApplication(argc, argv);
  qInstallMessageHandler(previous);
  QApplication::setDesktopFileName("org.ondulane.Ondulane");
  QApplication::setQuitOnLastWindowClosed(false);
  qApp->installEventFilter(new KeyQueue(qApp));
}

void QueueMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  g_queue.push_back(MSG{hwnd, message, wParam, lParam});
}

void PresentScreen(Window *w, const QRect &changed) {
  if (!w->widget || changed.isEmpty()) return;
  if (w->putsScreen) {
    PutScreen(w->widget, w->screen, changed);
    return;
  }
  const qreal scale = w->screen.devicePixelRatio();
  const int left = int(std::floor(changed.x() / scale)), top = int(std::floor(changed.y() / scale));
  const int right = int(std::ceil((changed.x() + changed.width()) / scale));
  const int bottom = int(std::ceil((changed.y() + changed.height()) / scale));
  w->widget->update(left, top, right - left, bottom - top);
}

HICON LoadIconA(HINSTANCE, LPCSTR name) { return name; }
HCURSOR LoadCursorA(HINSTANCE, LPCSTR name) { return name; }
HINSTANCE GetModuleHandleA(LPCSTR) { return nullptr; }

WORD RegisterClassExA(const WNDCLASSEXA *cls) {
  EnsureApplication();
  g_classes.push_back(WindowClass{cls->lpfnWndProc, cls->lpszClassName});
  return WORD(g_classes.size());
}

HWND CreateWindowExA(DWORD, LPCSTR cls, LPCSTR title, DWORD, int x, int y, int w, int h, HWND,
                     void *, HINSTANCE, void *) {
  EnsureApplication();
  WNDPROC proc = nullptr;
  for (const auto &c : g_classes)
    if (c.name == cls) proc = c.proc;
  if (!proc) return nullptr;
  auto window = std::make_unique<Window>();
  Window *hwnd = window.get();
  g_windows.push_back(std::move(window));
  hwnd->proc = proc;
  auto *widget = new ScreenWidget(hwnd);
  hwnd->widget = widget;
  widget->setWindowTitle(QString::fromLatin1(title));
  widget->setMinimumSize(1, 1);
  widget->move(x, y);
  widget->resize(w, h);
  // The size given is the outer one: the client is what the frame leaves.
  if (std::optional<QMargins> frame = FrameBeforeShowing(widget))
    widget->setGeometry(QRect(x, y, w, h).marginsRemoved(*frame));
  else
    hwnd->outerToFit = QSize(w, h);
  if (CanPutScreenDirectly(widget)) {
    hwnd->putsScreen = true;
    widget->setAttribute(Qt::WA_PaintOnScreen);
  }
  QSize client = widget->size();
  MakeScreen(hwnd, client, widget->devicePixelRatioF());
  hwnd->invalid = true;
  proc(hwnd, WM_CREATE, 0, 0);
  hwnd->reportedSize = client;
  proc(hwnd, WM_SIZE, 0, MAKELPARAM(client.width(), client.height()));
  return hwnd;
}

BOOL ShowWindow(HWND hwnd, int) {
  if (!hwnd || !hwnd->widget) return 0;
  QWidget *widget = hwnd->widget;
  widget->show();
  widget->windowHandle()->installEventFilter(new ExposeFilter(hwnd, widget));
  QObject::connect(widget->windowHandle(), &QWindow::screenChanged, widget,
                   [widget] { static_cast<ScreenWidget *>(widget)->ClientResized(); });
  if (hwnd->outerToFit.isValid()) FitOuterSize(widget, std::exchange(hwnd->outerToFit, QSize()));
  widget->activateWindow();
  widget->setFocus();
  QCoreApplication::processEvents();
  return 1;
}

BOOL UpdateWindow(HWND hwnd) {
  if (!hwnd || !hwnd->invalid || !hwnd->proc) return 1;
  hwnd->proc(hwnd, WM_PAINT, 0, 0);
  return 1;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int w, int h, BOOL) {
  if (!hwnd || !hwnd->widget) return 0;
  hwnd->widget->setGeometry(x, y, w, h);
  return 1;
}

BOOL DestroyWindow(HWND hwnd) {
  if (!hwnd || hwnd->destroyed) return 0;
  hwnd->destroyed = true;
  if (hwnd->proc) hwnd->proc(hwnd, WM_DESTROY, 0, 0);
  for (auto it = g_timers.begin(); it != g_timers.end();)
    it = it->hwnd == hwnd ? g_timers.erase(it) : it + 1;
  std::erase_if(g_queue, [hwnd](const MSG &m) { return m.hwnd == hwnd; });
  if (hwnd->widget) {
    hwnd->widget->hide();
    hwnd->widget->deleteLater();
  }
  return 1;
}

BOOL GetClientRect(HWND hwnd, RECT *rect) {
  if (!hwnd || !hwnd->widget) return 0;
  *rect = RECT{0, 0, hwnd->widget->width(), hwnd->widget->height()};
  return 1;
}

BOOL InvalidateRect(HWND hwnd, const RECT *, BOOL) {
  if (!hwnd) return 0;
  hwnd->invalid = true;
  return 1;
}

BOOL GetMessageA(MSG *msg, HWND, UINT, UINT) {
  // Input that has arrived comes before a timer that fell due; a wait
  // handles all that woke it, so one turn of the loop per wake-up.
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  while (!TakeMessage(msg)) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  return msg->message != WM_QUIT;
}

// Character messages are not used by the program.
BOOL TranslateMessage(const MSG *) { return 0; }

LRESULT DispatchMessageA(const MSG *msg) {
  return SendMessageA(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

LRESULT SendMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!hwnd || (hwnd->destroyed && message != WM_DESTROY)) return 0;
  if (hwnd->proc) return hwnd->proc(hwnd, message, wParam, lParam);
  if (hwnd->dlgProc) return hwnd->dlgProc(hwnd, message, wParam, lParam);
  return SendControlMessage(hwnd, message, wParam, lParam);
}

BOOL PostMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  QueueMessage(hwnd, message, wParam, lParam);
  return 1;
}

void PostQuitMessage(int code) {
  g_quitPosted = true;
  g_quitCode = code;
}

LRESULT DefWindowProcA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  constexpr WPARAM kF4 = 115;
  constexpr LPARAM kAltDown = 1 << 29;
  if (message == WM_CLOSE) DestroyWindow(hwnd);
  if (message == WM_SYSKEYDOWN && wParam == kF4 && (lParam & kAltDown))
    SendMessageA(hwnd, WM_CLOSE, 0, 0);
  return 0;
}

UINT SetTimer(HWND hwnd, UINT id, UINT ms, void *) {
  if (g_refusedTimers > 0) {
    --g_refusedTimers;
    return 0;
  }
  EnsureApplication();
  std::erase_if(g_timers, [&](const TimerEntry &t) { return t.hwnd == hwnd && t.id == id; });
  g_timers.push_back(TimerEntry{hwnd, id, std::make_unique<QTimer>(), false});
  QTimer *timer = g_timers.back().timer.get();
  timer->setTimerType(Qt::PreciseTimer);
  QObject::connect(timer, &QTimer::timeout, [hwnd, id] {
    for (auto &t : g_timers)
      if (t.hwnd == hwnd && t.id == id) t.due = true;
  });
  timer->start(int(ms));
  return id;
}

BOOL KillTimer(HWND hwnd, UINT id) {
  return std::erase_if(g_timers, [&](const TimerEntry &t) { return t.hwnd == hwnd && t.id == id; })
             ? 1
             : 0;
}

int MessageBoxA(HWND, LPCSTR text, LPCSTR caption, UINT) {
  ++g_messageBoxCount;
  if (!g_scriptedAnswers.empty()) {
    int answer = g_scriptedAnswers.front();
    g_scriptedAnswers.pop_front();
    return answer;
  }
  EnsureApplication();
  QMessageBox box(QMessageBox::Warning, QString::fromLatin1(caption), QString::fromLatin1(text),
                  QMessageBox::Retry | QMessageBox::Cancel);
  box.setEscapeButton(QMessageBox::Cancel);
  return box.exec() == QMessageBox::Retry ? IDRETRY : IDCANCEL;
}

int GetSystemMetrics(int index) {
  if (index != SM_CXFULLSCREEN) return 0;
  if (g_screenWidthOverride > 0) return g_screenWidthOverride;
  EnsureApplication();
  QScreen *screen = QGuiApplication::primaryScreen();
  return screen ? screen->availableGeometry().width() : 0;
}

void RefuseTimersForTesting(int count) { g_refusedTimers = count; }
void AnswerMessageBoxForTesting(int answer) { g_scriptedAnswers.push_back(answer); }
int MessageBoxCountForTesting() { return g_messageBoxCount; }
void SetScreenWidthForTesting(int width) { g_screenWidthOverride = width; }

void PumpMessagesForTesting() {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  MSG msg;
  while (!g_queue.empty() || !g_keys.empty() || g_quitPosted || InvalidWindow()) {
    if (!TakeMessage(&msg)) break;
    DispatchMessageA(&msg);
    QCoreApplication::processEvents(QEventLoop::AllEvents);
  }
}

void ResizeClientForTesting(HWND hwnd, int width, int height) {
  if (!hwnd || !hwnd->widget) return;
  hwnd->widget->resize(width, height);
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

bool SaveScreenPng(HWND hwnd, const char *path) {
  return hwnd && !hwnd->screen.isNull() && hwnd->screen.save(QString::fromLocal8Bit(path), "PNG");
}
