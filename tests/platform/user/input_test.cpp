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
      {{"F2", "1", "5", "0", "ENTER"}, 150, 35, 0},
      {{"F2", "1", "5", "0", "Tab", "1", "0", "0", "ENTER"}, 150, 100, 0},
      {{"F2", "F2", "Esc"}, 75, 35, 0},
      {{"F2", "ENTER"}, 75, 35, 0},
      {{"F2", "ENTER", "5"}, 75, 35, 0},
      {{"F2", "ENTER", "ENTER"}, 75, 35, 1},
      {{"F2", "Esc", "ENTER"}, 75, 35, 1},
      {{"F3", "ENTER"}, 75, 35, 0},
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
    WhenStuckForTesting([] {
      ADD_FAILURE() << "a dialog stayed open";
      EndDialog(ShownDialogForTesting(), 0);
    });
    PumpMessagesForTesting();
    WhenStuckForTesting(nullptr);
    EXPECT_EQ(ShownDialogForTesting(), nullptr);
    EXPECT_EQ(g_loadOhms, c.load);
    EXPECT_EQ(g_sourceOhms, c.source);
    EXPECT_EQ(g_running, c.running);
  }
}

// A close request typed after F2 waits for it and finds the dialog open: it
// is not for the window behind a dialog. One typed after ENTER comes after it.
TEST(Input, ACloseRequestWaitsBehindTheKeysTypedBeforeIt) {
  {
    TestWindow w;
    PressKeyForTesting(VK_F2);
    CloseBoxForTesting(w.hwnd);
    WithDialog([] { PumpMessagesForTesting(); }, [](HWND) { Press(VK_ESCAPE); });
    RECT client{};
    EXPECT_TRUE(GetClientRect(w.hwnd, &client));
  }
  {
    TestWindow w;
    PressKeyForTesting(VK_RETURN);
    CloseBoxForTesting(w.hwnd);
    PumpMessagesForTesting();
    RECT client{};
    EXPECT_FALSE(GetClientRect(w.hwnd, &client));
    EXPECT_EQ(g_running, 1);
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

// EM_SETSEL: end -1 or past the end runs to the end; start -1 drops the
// selection.
TEST(Input, SelectingAFieldsTextTakesEveryRangeAsAnEditControlDoes) {
  struct Case {
    int start, end;
    const char *selected;
  };
  // Offsets count the UTF-8 bytes; one inside a character falls after it.
  const Case cases[] = {{0, -1, "1é😀45"}, {1, 3, "é"},  {3, 99, "😀45"}, {2, 4, "😀"},
                        {-1, 3, ""},      {20, 20, ""}, {7, 7, ""}};
  TestWindow w;
  for (const Case &c : cases) {
    SCOPED_TRACE(testing::Message() << c.start << ", " << c.end);
    std::string selected = "?";
    WithDialog([&] { w.Key(VK_F2); },
               [&](HWND dialog) {
                 HWND load = GetDlgItem(dialog, IDC_LOAD);
                 SetWindowTextA(load, "1é😀45");
                 SendMessageA(load, EM_SETSEL, 0, 2);
                 SendMessageA(load, EM_SETSEL, WPARAM(c.start), LPARAM(c.end));
                 selected = SelectedTextForTesting(load);
                 Press(VK_ESCAPE);
               });
    EXPECT_EQ(selected, c.selected);
  }
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
