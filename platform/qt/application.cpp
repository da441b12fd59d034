// The QApplication, the events it turns into the window manager's input,
// the wait, and the message box. Each key is posted in order with Qt's event,
// so the window manager routes it when it is taken: a key typed ahead of a
// dialog lands in it, one after the key that closes it goes to the window
// behind; a key it leaves to a control goes on to that widget then.
#include <QApplication>
#include <QDeadlineTimer>
#include <QExposeEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <cstdlib>

#include "platform/qt/internal.h"

namespace {

bool g_deliveringKey = false;  // a held key is on its way to a control

int VirtualKey(int key) {
  if (key == Qt::Key_Return || key == Qt::Key_Enter) return VK_RETURN;
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return VK_F1 + (key - Qt::Key_F1);
  if (key == Qt::Key_Tab || key == Qt::Key_Backtab) return VK_TAB;
  if (key == Qt::Key_Escape) return VK_ESCAPE;
  if (key == Qt::Key_Space) return VK_SPACE;
  if (key == Qt::Key_Backspace) return VK_BACK;
  if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z)) return key;
  return 0;  // no other key has a command
}

KeyInput KeyFrom(const QKeyEvent &e) {
  const Qt::KeyboardModifiers m = e.modifiers();
  const QList<uint> typed = e.text().toUcs4();
  const char32_t c = typed.size() == 1 && QChar::isPrint(typed[0]) ? typed[0] : 0;
  return KeyInput{.vk = VirtualKey(e.key()),
                  .release = e.type() == QEvent::KeyRelease,
                  .repeat = e.isAutoRepeat(),
                  .shift = bool(m & Qt::ShiftModifier),
                  .ctrl = bool(m & Qt::ControlModifier),
                  .alt = bool(m & Qt::AltModifier),
                  .character = c,
                  .native = std::shared_ptr<QKeyEvent>(e.clone())};
}

// Holds the keys typed into the program's windows and their close boxes;
// tells of their uncovering.
class EventFilter : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject *receiver, QEvent *e) override {
    if (e->type() == QEvent::Expose) {
      auto *window = qobject_cast<QWindow *>(receiver);
      QT_WARNING_PUSH
      QT_WARNING_DISABLE_DEPRECATED
      if (Window *w = WindowOf(receiver); w && window->isExposed()) {
        std::vector<Rect> uncovered;
        for (const QRect &r : static_cast<QExposeEvent *>(e)->region())
          uncovered.push_back(FromQRect(r));
        WindowUncovered(w, uncovered);
      }
      QT_WARNING_POP
      return false;
    }
    // A close box: the window goes when its procedure lets WM_CLOSE reach
    // DefWindowProcA, a dialog when its procedure ends it.
    if (e->type() == QEvent::Close && WindowOf(receiver)) {
      e->ignore();
      PostCloseInput(WindowOf(receiver));
      return true;
    }
    if ((e->type() != QEvent::KeyPress && e->type() != QEvent::KeyRelease) || g_deliveringKey)
      return false;
    auto *widget = qobject_cast<QWidget *>(receiver);
    Window *into = widget ? WindowOf(widget->window()) : nullptr;
    if (into) PostKeyInput(into, KeyFrom(*static_cast<QKeyEvent *>(e)));
    return into;
  }
};

// Without a display Qt gives up with advice to reinstall and aborts: say
// what is wrong in one line instead, and fail.
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
  qApp->installEventFilter(new EventFilter(qApp));
  InstallAccessibility();
}

void DriverDeliverKey(Window *target, const KeyInput &key) {
  QWidget *widget = WidgetOf(target);
  if (!widget || !key.native) return;
  g_deliveringKey = true;
  QApplication::sendEvent(
      widget, const_cast<QKeyEvent *>(static_cast<const QKeyEvent *>(key.native.get())));
  g_deliveringKey = false;
}

void WaitUntil(const std::function<bool()> &done, int ms) {
  QDeadlineTimer deadline(ms);
  QTimer wake;  // ends the last wait
  wake.setSingleShot(true);
  wake.start(ms);
  while (!done() && !deadline.hasExpired())
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

// A wait handles all that woke it.
void DriverWait(int ms) {
  EnsureApplication();
  if (ms == 0) return QCoreApplication::processEvents(QEventLoop::AllEvents);
  static QTimer wake;
  wake.setSingleShot(true);
  wake.setTimerType(Qt::PreciseTimer);
  if (ms > 0) wake.start(ms);
  QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  wake.stop();
}

int DriverScreenWidth() {
  EnsureApplication();
  QScreen *screen = QGuiApplication::primaryScreen();
  return screen ? screen->availableGeometry().width() : 0;
}

bool DriverAsk(Window *, const Question &q) {
  EnsureApplication();
  QMessageBox box(QMessageBox::Warning, FromUtf8(q.caption), FromUtf8(q.text));
  auto *yes = box.addButton(q.yes, QMessageBox::AcceptRole);
  box.setEscapeButton(box.addButton(q.no, QMessageBox::RejectRole));
  box.exec();
  return box.clickedButton() == yes;
}
