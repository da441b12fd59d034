// The supporting text dialog as F3 opens it on the real window.
#include <gtest/gtest.h>

#include "tests/app/test_window.h"
#include "tests/dialogs/dialog_user.h"

// Closed by its close box; Enter, Escape and Tab then Enter close it in the
// tests of keys typed ahead.
TEST(TextDialog, F3PausesARunWithoutARepaintAndEnterResumesFromThePhaseReached) {
  TestWindow w;
  w.Key(VK_RETURN);
  w.Ticks(5);
  WithDialog([&] { w.Key(VK_F3); }, [](HWND dialog) { CloseBoxForTesting(dialog); });
  EXPECT_EQ(g_running, 0);
  EXPECT_EQ(GetUpdateRect(w.hwnd, nullptr, 0), 0);
  w.Key(VK_RETURN);
  w.Tick();
  EXPECT_EQ(g_running, 1);
  EXPECT_EQ(g_phaseDeg, 6 * kPhaseStep);
}
