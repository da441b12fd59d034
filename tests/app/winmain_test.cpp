#include "app/winmain.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>

#include "app/header.h"
#include "app/state.h"
#include "platform/qt/internal.h"
#include "platform/qt/win_testing.h"

namespace {

QWidget *VisibleWindow() {
  for (QWidget *w : QApplication::topLevelWidgets())
    if (w->isVisible()) return w;
  return nullptr;
}

}  // namespace

TEST(WinMain, CancelOnTheMissingTimerEndsWithoutAWindow) {
  int boxes = MessageBoxCountForTesting();
  RefuseTimersForTesting(1);
  AnswerMessageBoxForTesting(IDCANCEL);
  EXPECT_EQ(WinMain(nullptr, nullptr, nullptr, SW_SHOWDEFAULT), 0);
  EXPECT_EQ(MessageBoxCountForTesting(), boxes + 1);
  EXPECT_EQ(VisibleWindow(), nullptr);
  DeletePensAndFonts();  // as the end of the process would
}

TEST(WinMain, RetryAsksAgainThenRunsTheWindowUntilItIsClosed) {
  int boxes = MessageBoxCountForTesting();
  RefuseTimersForTesting(3);
  for (int i = 0; i < 3; ++i) AnswerMessageBoxForTesting(IDRETRY);
  g_running = 0;
  g_phaseDeg = 0;
  EnsureApplication();  // the timer below needs the event loop's thread data

  int phaseAfterRunning = -1, runningAfterClose = -1;
  // Once the loop runs: start the animation, let the timer tick for a while,
  // then close the window as its close box would.
  QTimer::singleShot(100, [&] {
    QWidget *w = VisibleWindow();
    ASSERT_NE(w, nullptr);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(w, &enter);
    QTimer::singleShot(400, [&] {
      phaseAfterRunning = g_phaseDeg;
      runningAfterClose = g_running;
      VisibleWindow()->close();
    });
  });
  EXPECT_EQ(WinMain(nullptr, nullptr, nullptr, SW_SHOWDEFAULT), 0);
  EXPECT_EQ(MessageBoxCountForTesting(), boxes + 3);
  EXPECT_GT(phaseAfterRunning, 0);
  EXPECT_EQ(phaseAfterRunning % 3, 0);
  EXPECT_EQ(runningAfterClose, 1);
}
