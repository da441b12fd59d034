#include "app/wndproc.h"

#include <gtest/gtest.h>

#include "tests/app/test_window.h"

namespace {

// Plays a script of events on the window: E enter, t tick, R a whole run of
// 960 ticks, 1 F1 followed by the repaint it asks for, P a repaint (resize,
// uncovering), x a key without a command.
void Play(TestWindow &w, const std::string &script) {
  for (char c : script) {
    if (c == 'E') w.Key(VK_RETURN);
    if (c == 't') w.Tick();
    if (c == 'R') w.Ticks(960);
    if (c == '1') w.Key(VK_F1), UpdateWindow(w.hwnd);
    if (c == 'P') w.Paint();
    if (c != 'x') continue;
    for (int key : {int('A'), VK_ESCAPE, VK_SPACE, VK_F10, 115, 116})
      EXPECT_EQ(WndProc(w.hwnd, WM_KEYDOWN, WPARAM(key), 1), 0);
  }
}

}  // namespace

TEST(WndProc, KeysAndTicksMoveBetweenReadyRunningPausedAndFinished) {
  struct Case {
    const char *name;
    std::string script;
    int running;
    int phase;
  };
  const Case cases[] = {
      {"starts ready", "", 0, 0},
      {"enter starts", "E", 1, 0},
      {"a tick advances three degrees", "Ettt", 1, 9},
      {"two presses between ticks change nothing", "EttEE", 1, 6},
      {"enter pauses", "EttE", 0, 6},
      {"a tick while paused only checks the end", "EttEtt", 0, 6},
      {"enter resumes from the phase reached", "EttEEt", 1, 9},
      {"enter before any tick goes back to ready", "EE", 0, 0},
      {"a run stops by itself at 2880", "ER", 0, 2880},
      {"a tick after the end does nothing", "ERttt", 0, 2880},
      {"enter after the end gives exactly one tick", "EREtt", 0, 2883},
      {"each further enter one more", "EREtEtEt", 0, 2889},
      {"F1 resets a run", "Ettt1", 0, 0},
      {"F1 resets a finished run", "ER1", 0, 0},
      {"F1 then enter starts over", "Ettt1Et", 1, 3},
      {"a repaint restarts a running run", "EtttP", 1, 0},
      {"a repaint while paused gives ready", "EttEP", 0, 0},
      {"a repaint after the end gives ready", "ERP", 0, 0},
      {"other keys are swallowed", "Etx", 1, 3},
      {"other keys do not start a run", "x", 0, 0},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    TestWindow w;
    Play(w, c.script);
    EXPECT_EQ(g_running, c.running);
    EXPECT_EQ(g_phaseDeg, c.phase);
  }
}
