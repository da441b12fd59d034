#include "app/winmain.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>

#include "app/header.h"
#include "app/state.h"
#include "platform/headless/testing.h"

TEST(WinMain, CancelOnTheMissingTimerEndsWithoutAWindow) {
  int boxes = MessageBoxCountForTesting();
  RefuseTimersForTesting(1);
  AnswerMessageBoxForTesting(false);  // Cancel
  EXPECT_EQ(WinMain(nullptr, nullptr, nullptr, SW_SHOWDEFAULT), 0);
  EXPECT_EQ(MessageBoxCountForTesting(), boxes + 1);
  EXPECT_EQ(LastMessageBoxForTesting(), "Ondulane: Too many clocks or timers! (&Retry, Cancel)");
  DeletePensAndFonts();  // as the end of the process would
}

// The loop runs until the window is closed: ENTER once it waits, a few ticks
// of the program's own timer, then the close box.
TEST(WinMain, RetryAsksAgainThenRunsTheWindowUntilItIsClosed) {
  int boxes = MessageBoxCountForTesting();
  RefuseTimersForTesting(3);
  for (int i = 0; i < 3; ++i) AnswerMessageBoxForTesting(true);  // Retry
  g_running = 0;
  g_phaseDeg = 0;
  int phaseAfterRunning = -1, runningAfterClose = -1;
  std::function<void()> closeAfterTicks = [&] {
    if (g_phaseDeg < 3 * kPhaseStep) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
      WhenIdleForTesting(closeAfterTicks);
      return;
    }
    phaseAfterRunning = g_phaseDeg;
    runningAfterClose = g_running;
    CloseBoxForTesting(LastWindowForTesting());
  };
  WhenIdleForTesting([] { PressKeyForTesting(VK_RETURN); });
  WhenIdleForTesting(closeAfterTicks);
  EXPECT_EQ(WinMain(nullptr, nullptr, nullptr, SW_SHOWDEFAULT), 0);
  EXPECT_EQ(MessageBoxCountForTesting(), boxes + 3);
  EXPECT_GT(phaseAfterRunning, 0);
  EXPECT_EQ(phaseAfterRunning % kPhaseStep, 0);
  EXPECT_EQ(runningAfterClose, 1);
}
