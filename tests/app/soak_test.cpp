#include <gtest/gtest.h>

#include <random>
#include <string>

#include "tests/app/test_window.h"
#include "tests/dialogs/dialog_user.h"

namespace {

// Every state the program can be in between messages.
bool ValidState() {
  bool phaseOk = g_phaseDeg >= 0 && g_phaseDeg % kPhaseStep == 0;
  bool runningOk = g_running == 0 || g_running == 1;
  return phaseOk && runningOk;
}

// F2 typed into by a user: new text in both fields, then ENTER.
void EnterValuesThroughTheDialog(TestWindow &w, const std::string &load,
                                 const std::string &source) {
  WithDialog([&] { w.Key(VK_F2); },
             [&](HWND) {
               Type(load);
               Press(VK_TAB);
               PressKeyForTesting('A', false, true);
               Type(source);
               Press(VK_RETURN);
             });
  UpdateWindow(w.hwnd);
}

}  // namespace

TEST(Soak, TwentyRunsWithResizesValuesAndKeyStormsStayInTheFourStates) {
  std::mt19937 rng(2026);
  auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
  TestWindow w;
  const int keys[] = {VK_RETURN, VK_RETURN, VK_RETURN, VK_F1, 'A', VK_ESCAPE, VK_SPACE, 116, 0};
  for (int run = 0; run < 20; ++run) {
    SCOPED_TRACE(run);
    // 1 by 1, minimised (0 by 0), 4000 by 3000, and back.
    const POINT sizes[] = {{1, 1}, {0, 0}, {4000, 3000}, {1000, 700}};
    const POINT size = sizes[run % 4];
    ResizeClientForTesting(w.hwnd, size.x, size.y);
    PumpMessagesForTesting();
    if (run % 3 == 0) {
      std::string load = std::to_string(pick(20000)) + (pick(2) ? "e-1" : "");
      std::string source = pick(5) ? std::to_string(pick(600)) : "junk";
      EnterValuesThroughTheDialog(w, load, source);
      EXPECT_TRUE(g_loadOhms >= 0.1 && g_loadOhms <= 10000.0 && g_sourceOhms >= 10.0 &&
                  g_sourceOhms <= 400.0);
    }
    // A storm of keys between ticks, some through the window system.
    for (int i = 0; i < 300; ++i) {
      int key = keys[pick(std::size(keys))];
      if (key == VK_F1 && pick(10)) key = VK_RETURN;  // repaints of 4000 x 3000 are slow
      if (pick(4) == 0)
        PostMessageA(w.hwnd, WM_KEYDOWN, WPARAM(key), 1);
      else
        w.Key(key);
      if (key == VK_F1) UpdateWindow(w.hwnd);
      if (pick(3) == 0) w.Tick();
      ASSERT_TRUE(ValidState());
    }
    PumpMessagesForTesting();
    // Then let the run finish.
    if (!g_running) w.Key(VK_RETURN);
    for (int tick = 0; tick < 1000 && g_running; ++tick) {
      w.Tick();
      ASSERT_TRUE(ValidState());
    }
    EXPECT_EQ(g_running, 0);
    EXPECT_GE(g_phaseDeg, kRunEnd);
  }
}
