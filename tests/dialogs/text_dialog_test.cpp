// The supporting text dialog as F3 opens it on the real window.
#include <gtest/gtest.h>

#include "tests/app/test_window.h"
#include "tests/dialogs/dialog_user.h"

TEST(TextDialog, F3PausesARunWithoutARepaintAndEnterResumesFromThePhaseReached) {
  TestWindow w;
  w.Key(VK_RETURN);
  w.Ticks(5);
  WithDialog([&] { w.Key(VK_F3); }, [](HWND) { Press(VK_RETURN); });
  EXPECT_EQ(g_running, 0);
  EXPECT_EQ(GetUpdateRect(w.hwnd, nullptr, 0), 0);
  w.Key(VK_RETURN);
  w.Tick();
  EXPECT_EQ(g_running, 1);
  EXPECT_EQ(g_phaseDeg, 6 * kPhaseStep);
}

TEST(TextDialog, OkEscapeAndTheCloseBoxCloseIt) {
  struct Case {
    const char *name;
    bool inTextField;  // Tab first
    int close;         // 0: the close box
  };
  const Case cases[] = {{"enter on OK", false, VK_RETURN},
                        {"enter in the text field", true, VK_RETURN},
                        {"escape", false, VK_ESCAPE},
                        {"close box", false, 0}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    TestWindow w;
    WithDialog([&] { w.Key(VK_F3); },
               [&](HWND dialog) {
                 if (c.inTextField) Press(VK_TAB);
                 c.close ? Press(c.close) : CloseBoxForTesting(dialog);
               });
  }
}
