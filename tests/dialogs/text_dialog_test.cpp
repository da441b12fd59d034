// The supporting text dialog as F3 opens it on the real window.
#include <gtest/gtest.h>

#include "platform/qt/internal.h"
#include "tests/app/test_window.h"
#include "tests/dialogs/dialog_user.h"

TEST(TextDialog, F3PausesARunWithoutARepaintAndEnterResumesFromThePhaseReached) {
  TestWindow w;
  w.Key(VK_RETURN);
  w.Ticks(5);
  WithDialog([&] { w.Key(VK_F3); }, [](QWidget *) { Press(Qt::Key_Return); });
  EXPECT_EQ(g_running, 0);
  EXPECT_FALSE(w.hwnd->invalid);
  w.Key(VK_RETURN);
  w.Tick();
  EXPECT_EQ(g_running, 1);
  EXPECT_EQ(g_phaseDeg, 6 * kPhaseStep);
}

TEST(TextDialog, OkEscapeAndTheCloseBoxCloseIt) {
  struct Case {
    const char *name;
    bool inTextField;  // Tab first
    Qt::Key close;     // Qt::Key_unknown: the close box
  };
  const Case cases[] = {{"enter on OK", false, Qt::Key_Return},
                        {"enter in the text field", true, Qt::Key_Return},
                        {"escape", false, Qt::Key_Escape},
                        {"close box", false, Qt::Key_unknown}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    TestWindow w;
    WithDialog([&] { w.Key(VK_F3); },
               [&](QWidget *dialog) {
                 if (c.inTextField) Press(Qt::Key_Tab);
                 c.close == Qt::Key_unknown ? void(dialog->close()) : Press(c.close);
               });
    EXPECT_EQ(ShownDialog(), nullptr);
  }
}
