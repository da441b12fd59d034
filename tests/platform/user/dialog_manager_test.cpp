// The dialog manager, seen from a procedure of the test's own and from the
// program's window, on the driver without a display: its font's 52 letters
// are 312 pixels wide and its lines 16 high, so a dialog unit is 1.5 pixels
// across and 2 down.
#include <gtest/gtest.h>

#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "dialogs/dialogs.h"
#include "platform/user/resources.h"
#include "platform/user/window.h"
#include "tests/app/test_window.h"
#include "tests/dialogs/dialog_user.h"

namespace {

constexpr INT_PTR kOkResult = 7;  // what the recording procedure ends with on OK
std::vector<int> g_commands;      // what the recording procedure was sent
BOOL g_initResult = 0;            // what it answers WM_INITDIALOG with
int g_initFocus = 0;              // the control it gives the focus there; 0 none

INT_PTR RecordingDlgProc(HWND dlg, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) {
    SetWindowTextA(GetDlgItem(dlg, IDC_LOAD), "12");
    SetWindowTextA(GetDlgItem(dlg, IDC_SOURCE), "34");
    if (g_initFocus) SetFocus(GetDlgItem(dlg, g_initFocus));
    return g_initResult;
  }
  if (message != WM_COMMAND) return 0;
  g_commands.push_back(LOWORD(wParam));
  if (LOWORD(wParam) == IDOK) EndDialog(dlg, kOkResult);
  return 0;
}

INT_PTR Open(const TestWindow &w, int id, BOOL initResult = 0, int initFocus = 0) {
  g_commands.clear();
  g_initResult = initResult;
  g_initFocus = initFocus;
  return DialogBoxParamA(nullptr, MAKEINTRESOURCEA(id), w.hwnd, RecordingDlgProc, 0);
}

int FocusId() { return FocusForTesting() ? GetDlgCtrlID(FocusForTesting()) : 0; }

}  // namespace

// Half a unit rounds away from zero: 205 units across are 308 pixels. A
// mirrored copy (WS_EX_LAYOUTRTL, as for a language read from the right)
// stands at the same place, but each control's x runs from the right edge of
// the client area, and its texts read from the right.
TEST(DialogManager, PlacesTheDialogAndItsControlsInDialogUnitsOfItsFont) {
  struct Case {
    int dialog;
    bool mirrored;
    int control;  // 0: the dialog's client area, in its owner's
    RECT place;
  };
  const Case cases[] = {
      {IDD_VALUES, false, 0, {150, 140, 458, 372}},
      {IDD_VALUES, false, IDC_LOAD_CAPTION, {20, 48, 193, 80}},
      {IDD_VALUES, false, IDC_LOAD, {225, 44, 285, 72}},
      {IDD_VALUES, false, IDC_SOURCE, {225, 104, 285, 132}},
      {IDD_VALUES, false, IDOK, {116, 168, 191, 196}},
      {IDD_VALUES, true, 0, {150, 140, 458, 372}},
      {IDD_VALUES, true, IDC_LOAD_CAPTION, {115, 48, 288, 80}},
      {IDD_VALUES, true, IDC_LOAD, {23, 44, 83, 72}},
      {IDD_VALUES, true, IDC_SOURCE, {23, 104, 83, 132}},
      {IDD_VALUES, true, IDOK, {117, 168, 192, 196}},
      {IDD_TEXT, false, 0, {150, 140, 546, 468}},
      {IDD_TEXT, false, IDC_TEXT, {27, 34, 369, 232}},
  };
  TestWindow w;
  for (const Case &c : cases) {
    SCOPED_TRACE(testing::Message() << c.dialog << (c.mirrored ? " mirrored " : " ") << c.control);
    DialogTemplate t = *FindDialogTemplate(c.dialog);
    if (c.mirrored) t.exStyle |= WS_EX_LAYOUTRTL;
    RECT place{};
    bool rightToLeft = !c.mirrored;
    WithDialog([&] { DialogBoxIndirectForTesting(t, w.hwnd, RecordingDlgProc, 0); },
               [&](HWND dialog) {
                 HWND shown = c.control ? GetDlgItem(dialog, c.control) : dialog;
                 place = PlaceForTesting(shown);
                 rightToLeft = shown->rightToLeft;
                 Press(VK_RETURN);
               });
    EXPECT_EQ(place, c.place);
    EXPECT_EQ(rightToLeft, c.mirrored);
  }
}

// A procedure that answers WM_INITDIALOG with TRUE leaves the focus to the
// dialog manager, which gives it to the first tab stop and selects a
// field's text; one that answers FALSE keeps the focus it set.
TEST(DialogManager, TheInitialFocusFollowsWhatTheProcedureAnswers) {
  struct Case {
    const char *name;
    int dialog;
    BOOL initResult;
    int initFocus, focus;
    const char *selected;  // of the load field
  };
  const Case cases[] = {
      {"TRUE: the first tab stop", IDD_VALUES, 1, 0, IDC_LOAD, "12"},
      {"TRUE over the procedure's own choice", IDD_VALUES, 1, IDC_SOURCE, IDC_LOAD, "12"},
      {"FALSE: the procedure's choice", IDD_VALUES, 0, IDC_SOURCE, IDC_SOURCE, ""},
      {"FALSE without a choice: none", IDD_VALUES, 0, 0, 0, ""},
      {"TRUE: a button first in the tab order", IDD_TEXT, 1, 0, IDOK, ""},
  };
  TestWindow w;
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    int focus = -1;
    std::string selected;
    WithDialog([&] { Open(w, c.dialog, c.initResult, c.initFocus); },
               [&](HWND dialog) {
                 focus = FocusId();
                 selected = SelectedTextForTesting(GetDlgItem(dialog, IDC_LOAD));
                 ClickForTesting(GetDlgItem(dialog, IDOK));
               });
    EXPECT_EQ(focus, c.focus);
    EXPECT_EQ(selected, c.selected);
  }
}

// IsDialogMessage's keys, one at a time: Tab and Shift+Tab go round the tab
// stops in template order and select a field's text; Escape and the close
// box only send IDCANCEL, which the procedure may act on or not; Enter
// presses the focused button or else the default one.
TEST(DialogManager, TabEnterEscapeAndTheCloseBoxDoWhatADialogManagerDoes) {
  struct Step {
    const char *name;
    int vk;  // 0: the close box
    bool shift;
    int focus;  // the control with the focus after it
    const char *selected;
    std::vector<int> commands;  // sent to the procedure so far
  };
  const Step steps[] = {
      {"Tab", VK_TAB, false, IDC_SOURCE, "34", {}},
      {"Tab to OK", VK_TAB, false, IDOK, "", {}},
      {"Tab round to the load", VK_TAB, false, IDC_LOAD, "12", {}},
      {"Shift+Tab round to OK", VK_TAB, true, IDOK, "", {}},
      {"Shift+Tab", VK_TAB, true, IDC_SOURCE, "34", {}},
      {"Escape", VK_ESCAPE, false, IDC_SOURCE, "34", {IDCANCEL}},
      {"the close box", 0, false, IDC_SOURCE, "34", {IDCANCEL, IDCANCEL}},
      {"Enter in a field: the default button", VK_RETURN, false, 0, "", {IDCANCEL, IDCANCEL, IDOK}},
  };
  const std::size_t n = std::size(steps);
  TestWindow w;
  std::size_t done = 0;
  // Each step once the one before has been handled, and checked then.
  std::function<void()> next = [&] {
    const Step &s = steps[done];
    s.vk ? Press(s.vk, s.shift) : CloseBoxForTesting(ShownDialogForTesting());
    WhenIdleForTesting([&, step = &s] {
      SCOPED_TRACE(step->name);
      EXPECT_EQ(FocusId(), step->focus);
      EXPECT_EQ(SelectedTextForTesting(FocusForTesting()), step->selected);
      EXPECT_EQ(g_commands, step->commands);
      if (++done < n) next();
    });
  };
  WhenIdleForTesting(next);
  EXPECT_EQ(Open(w, IDD_VALUES, 1), kOkResult);
  ForgetIdleActionsForTesting();
  EXPECT_EQ(done, n - 1);  // the last step closed the dialog
  EXPECT_EQ(g_commands, steps[n - 1].commands);
}

// Ended from outside any message it took, as from a callback of the
// driver's, the dialog's loop does not wait on.
TEST(DialogManager, EndDialogFromOutsideAMessageEndsTheLoop) {
  TestWindow w;
  WhenIdleForTesting([] { EndDialog(ShownDialogForTesting(), 5); });
  EXPECT_EQ(Open(w, IDD_TEXT), 5);
  EXPECT_EQ(ShownDialogForTesting(), nullptr);
}

// EM_SETSEL: end -1 or past the end runs to the end; start -1 drops the
// selection. The program counts a line's end as CR LF, two characters; the
// driver's field holds LF alone. An offset between the CR and the LF falls
// after them.
TEST(DialogManager, SelectsInAFieldByTheProgramsOffsets) {
  struct Case {
    int dialog, field;
    const char *text;
    int start, end;
    const char *selected;
  };
  const char *const wide = "1é😀45";
  const char *const lines = "ab\r\ncd\r\nef";
  const Case cases[] = {
      // Offsets count the UTF-8 bytes; one inside a character falls after it.
      {IDD_VALUES, IDC_LOAD, wide, 0, -1, wide},  {IDD_VALUES, IDC_LOAD, wide, 1, 3, "é"},
      {IDD_VALUES, IDC_LOAD, wide, 3, 99, "😀45"}, {IDD_VALUES, IDC_LOAD, wide, 2, 4, "😀"},
      {IDD_VALUES, IDC_LOAD, wide, -1, 3, ""},    {IDD_VALUES, IDC_LOAD, wide, 20, 20, ""},
      {IDD_VALUES, IDC_LOAD, wide, 7, 7, ""},     {IDD_TEXT, IDC_TEXT, lines, 4, 8, "cd\n"},
      {IDD_TEXT, IDC_TEXT, lines, 2, 4, "\n"},    {IDD_TEXT, IDC_TEXT, lines, 3, 5, "c"},
      {IDD_TEXT, IDC_TEXT, lines, 6, -1, "\nef"}, {IDD_TEXT, IDC_TEXT, lines, 0, 99, "ab\ncd\nef"},
      {IDD_TEXT, IDC_TEXT, lines, -1, 4, ""},
  };
  TestWindow w;
  for (const Case &c : cases) {
    SCOPED_TRACE(testing::Message() << c.field << ": " << c.start << ", " << c.end);
    std::string selected, text;
    WithDialog([&] { Open(w, c.dialog); },
               [&](HWND dialog) {
                 HWND field = GetDlgItem(dialog, c.field);
                 SetWindowTextA(field, c.text);
                 SendMessageA(field, EM_SETSEL, 0, 2);
                 SendMessageA(field, EM_SETSEL, WPARAM(c.start), LPARAM(c.end));
                 selected = SelectedTextForTesting(field);
                 text = FieldText(dialog, c.field);
                 Press(VK_RETURN);
               });
    EXPECT_EQ(selected, c.selected);
    EXPECT_EQ(text, c.text);
  }
}
