// Where input goes: keys typed ahead wait in line and go where the keyboard
// is when they are taken, on the program's own window and dialogs.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "dialogs/dialogs.h"
#include "tests/app/test_window.h"
#include "tests/dialogs/dialog_user.h"

namespace {

// A key's name in a case, other than a character.
int KeyCode(const std::string &name) {
  if (name == "ENTER") return VK_RETURN;
  if (name == "Esc") return VK_ESCAPE;
  if (name == "Tab") return VK_TAB;
  return name == "F2" ? VK_F2 : VK_F3;
}

}  // namespace

// The keys are all typed before the program takes any of them: those after
// F2 or F3 land in the dialog, those after the key that closes it in the
// main window.
TEST(Input, KeysTypedAheadGoWhereTheKeyboardIsWhenTheyAreTaken) {
  struct Case {
    std::vector<std::string> keys;
    double load, source;
    int running;
  };
  const Case cases[] = {
      {{"F2", "1", "5", "0", "Tab", "1", "0", "0", "ENTER"}, 150, 100, 0},
      {{"F2", "Esc", "ENTER"}, 75, 35, 1},
      {{"F3", "Esc", "ENTER"}, 75, 35, 1},
      {{"F3", "Tab", "ENTER", "ENTER"}, 75, 35, 1},
      {{"ENTER", "F2", "ENTER"}, 75, 35, 0},
  };
  for (const Case &c : cases) {
    std::string name;
    for (const std::string &k : c.keys) name += k + " ";
    SCOPED_TRACE(name);
    TestWindow w;
    for (const std::string &k : c.keys)
      k.size() == 1 ? TypeForTesting(k) : PressKeyForTesting(KeyCode(k));
    WithoutDialogLeftOpen(PumpMessagesForTesting);
    EXPECT_EQ(g_loadOhms, c.load);
    EXPECT_EQ(g_sourceOhms, c.source);
    EXPECT_EQ(g_running, c.running);
  }
}

// A close request typed after F2 waits for it and finds the dialog open: it
// is not for the window behind a dialog. One typed after ENTER comes after it.
TEST(Input, ACloseRequestWaitsBehindTheKeysTypedBeforeIt) {
  for (int key : {VK_F2, VK_RETURN}) {
    SCOPED_TRACE(key);
    TestWindow w;
    PressKeyForTesting(key);
    CloseBoxForTesting(w.hwnd);
    if (key == VK_F2) WithDialog([] { PumpMessagesForTesting(); }, [](HWND) { Press(VK_ESCAPE); });
    PumpMessagesForTesting();
    RECT client{};
    EXPECT_EQ(GetClientRect(w.hwnd, &client) != 0, key == VK_F2);
    EXPECT_EQ(g_running, int(key == VK_RETURN));
  }
}

TEST(Input, TicksGoOnWhileADialogIsOpen) {
  TestWindow w;
  SetTimer(w.hwnd, kTimerId, 5, nullptr);  // faster than the program's own, for a short test
  std::function<void()> waitForTicks = [&] {
    if (g_phaseDeg >= 3 * kPhaseStep)
      return ClickForTesting(GetDlgItem(ShownDialogForTesting(), IDOK));
    WhenIdleForTesting(waitForTicks);
  };
  WithDialog([&] { w.Key(VK_F3); },
             [&](HWND) {
               g_running = 1;
               waitForTicks();
             });
  KillTimer(w.hwnd, kTimerId);
  EXPECT_GE(g_phaseDeg, 3 * kPhaseStep);
}

// A character typed goes into the field as its UTF-8, and Backspace erases
// it whole, whatever its length.
TEST(Input, AFieldTakesEachCharacterWholeAndBackspaceErasesIt) {
  struct Case {
    const char *typed;
    int backspaces;
    const char *left;
  };
  const Case cases[] = {{"5Ж", 0, "5Ж"}, {"5Ж", 1, "5"}, {"日本", 1, "日"},
                        {"a😀", 1, "a"},  {"ếé", 2, ""},  {"1Łó", 1, "1Ł"}};
  TestWindow w;
  for (const Case &c : cases) {
    SCOPED_TRACE(c.typed);
    std::string left = "?";
    WithDialog([&] { w.Key(VK_F2); },
               [&](HWND dialog) {
                 Type(c.typed);
                 for (int i = 0; i < c.backspaces; ++i) Press(VK_BACK);
                 WhenIdleForTesting([&, dialog] {
                   left = FieldText(dialog, IDC_LOAD);
                   Press(VK_ESCAPE);
                 });
               });
    EXPECT_EQ(left, c.left);
  }
}
