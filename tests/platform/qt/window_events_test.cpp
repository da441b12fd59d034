// What the Qt driver makes of Qt's events on a top-level window: keys and
// minimising; and how it puts a screen image on an X11 window.
#include <gtest/gtest.h>

#include "platform/qt/testing.h"
#include "tests/app/test_window.h"
#include "tests/platform/qt/qt_user.h"

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
      {"keypad Enter toggles", Qt::Key_Enter, Qt::KeypadModifier, false, 1, 1},
      {"every auto-repeat toggles again", Qt::Key_Return, Qt::NoModifier, true, 3, 1},
      {"an even number of repeats cancels", Qt::Key_Return, Qt::NoModifier, true, 4, 0},
      {"Alt+Return takes the default path", Qt::Key_Return, Qt::AltModifier, false, 1, 0},
      {"letters are ignored", Qt::Key_A, Qt::NoModifier, false, 1, 0},
      {"Tab is ignored", Qt::Key_Tab, Qt::NoModifier, false, 1, 0},
      {"F10 is a system key", Qt::Key_F10, Qt::NoModifier, false, 1, 0},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    TestWindow w;
    for (int i = 0; i < c.presses; ++i) Press(MainWidget(), c.key, c.mods, c.autoRepeat);
    EXPECT_EQ(g_running, 0);  // queued, not handled inside the Qt event
    PumpMessagesForTesting();
    EXPECT_EQ(g_running, c.running);
  }
}

// Minimising reports an empty client area while the run ticks on;
// restoring reports the size again and restarts the run.
TEST(WindowEvents, MinimisingAndRestoringReportTheSizeAndRestartTheRun) {
  TestWindow w;
  w.Key(VK_RETURN);
  w.Ticks(20);
  PumpMessagesForTesting();  // drawing by a tick asks for no paint
  EXPECT_EQ(g_phaseDeg, 60);
  const int width = g_clientWidth, height = g_clientHeight;
  EXPECT_GT(width, 0);
  MainWidget()->setWindowState(Qt::WindowMinimized);
  PumpMessagesForTesting();
  EXPECT_EQ(g_clientWidth, 0);
  EXPECT_EQ(g_clientHeight, 0);
  w.Ticks(5);  // the animation goes on ticking with the empty size
  EXPECT_EQ(g_phaseDeg, 75);
  MainWidget()->setWindowState(Qt::WindowNoState);
  PumpMessagesForTesting();
  EXPECT_EQ(g_clientWidth, width);
  EXPECT_EQ(g_clientHeight, height);
  EXPECT_EQ(g_phaseDeg, 0);
  EXPECT_EQ(g_running, 1);
  w.Ticks(5);
  Press(MainWidget(), Qt::Key_F1);  // F1 from the keyboard resets
  PumpMessagesForTesting();
  EXPECT_EQ(g_running, 0);
  EXPECT_EQ(g_phaseDeg, 0);
}

TEST(PutScreen, SplitsAChangeIntoPiecesThatFitARequestAndX11sCoordinates) {
  constexpr size_t kSmallest = 4096 * 4 - 32;  // the least request a server may take
  constexpr size_t kClassic = 65535 * 4 - 32;  // without big requests
  constexpr size_t kBig = 16777215ull * 4 - 32;
  struct Case {
    const char *name;
    QRect changed;
    QSize image;
    size_t requestBytes;
    QRect area;
    int columns, rows;
  };
  const Case cases[] = {
      {"whole rows", {0, 0, 1000, 700}, {1000, 700}, kClassic, {0, 0, 1000, 700}, 1000, 65},
      {"part rows by the strip",
       {10, 20, 300, 400},
       {1000, 700},
       kBig,
       {10, 20, 300, 400},
       300,
       218},
      {"clipped to the image", {-50, -50, 100, 100}, {1000, 700}, kBig, {0, 0, 50, 50}, 50, 1310},
      {"outside", {2000, 0, 10, 10}, {1000, 700}, kBig, {}, 0, 0},
      {"a row over a request", {0, 0, 30000, 2}, {30000, 2}, kSmallest, {0, 0, 30000, 2}, 4088, 1},
      {"beyond X11's reach", {0, 0, 70000, 2}, {70000, 2}, kClassic, {0, 0, 32768, 2}, 32768, 1},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    PutPieces plan = PlanPut(c.changed, c.image, c.requestBytes);
    EXPECT_EQ(plan.area, c.area);
    EXPECT_EQ(plan.columns, c.columns);
    EXPECT_EQ(plan.rows, c.rows);
  }
}
