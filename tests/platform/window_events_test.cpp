#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>

#include "platform/qt/internal.h"
#include "tests/app/test_window.h"

namespace {

void Press(TestWindow &w, int key, Qt::KeyboardModifiers mods = Qt::NoModifier,
           bool autoRepeat = false) {
  QKeyEvent e(QEvent::KeyPress, key, mods, QString(), autoRepeat);
  QApplication::sendEvent(w.hwnd->widget, &e);
}

}  // namespace

TEST(WindowEvents, KeysReachTheProcedureAsQueuedKeyDowns) {
  struct Case {
    const char *name;
    int key;
    Qt::KeyboardModifiers mods;
    bool autoRepeat;
    int presses;
    int running;
  };
  const Case cases[] = {
      {"Return toggles", Qt::Key_Return, Qt::NoModifier, false, 1, 1},
      {"keypad Enter toggles", Qt::Key_Enter, Qt::KeypadModifier, false, 1, 1},
      {"every auto-repeat toggles again", Qt::Key_Return, Qt::NoModifier, true, 3, 1},
      {"an even number of repeats cancels", Qt::Key_Return, Qt::NoModifier, true, 4, 0},
      {"Alt+Return takes the default path", Qt::Key_Return, Qt::AltModifier, false, 1, 0},
      {"letters are ignored", Qt::Key_A, Qt::NoModifier, false, 1, 0},
      {"F10 is a system key", Qt::Key_F10, Qt::NoModifier, false, 1, 0},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    TestWindow w;
    for (int i = 0; i < c.presses; ++i) Press(w, c.key, c.mods, c.autoRepeat);
    EXPECT_EQ(g_running, 0);  // queued, not handled inside the Qt event
    PumpMessagesForTesting();
    EXPECT_EQ(g_running, c.running);
  }
}

TEST(WindowEvents, ResizingAndRestoringReportTheSizeAndRestartTheRun) {
  TestWindow w;
  w.Key(VK_RETURN);
  w.Ticks(20);
  PumpMessagesForTesting();  // drawing by a tick asks for no paint
  EXPECT_EQ(g_phaseDeg, 60);
  ResizeClientForTesting(w.hwnd, 640, 480);
  PumpMessagesForTesting();
  EXPECT_EQ(g_clientWidth, 640);
  EXPECT_EQ(g_clientHeight, 480);
  EXPECT_EQ(g_phaseDeg, 0);
  EXPECT_EQ(g_running, 1);
  w.Ticks(5);
  w.hwnd->widget->setWindowState(Qt::WindowMinimized);
  PumpMessagesForTesting();
  EXPECT_EQ(g_clientWidth, 0);
  EXPECT_EQ(g_clientHeight, 0);
  w.Ticks(5);  // the animation goes on ticking with the empty size
  EXPECT_EQ(g_phaseDeg, 30);
  w.hwnd->widget->setWindowState(Qt::WindowNoState);
  PumpMessagesForTesting();
  EXPECT_EQ(g_clientWidth, 640);
  EXPECT_EQ(g_phaseDeg, 0);
  EXPECT_EQ(g_running, 1);
  w.Ticks(5);
  Press(w, Qt::Key_F1);  // F1 from the keyboard resets
  PumpMessagesForTesting();
  EXPECT_EQ(g_running, 0);
  EXPECT_EQ(g_phaseDeg, 0);
}
