// The dialog manager of the window-system layer, seen from a procedure of
// the test's own.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "dialogs/dialogs.h"
#include "platform/qt/internal.h"
#include "tests/app/test_window.h"
#include "tests/dialogs/dialog_user.h"

namespace {

constexpr INT_PTR kOkResult = 7;  // what the recording procedure ends with on OK
std::vector<int> g_commands;      // what the recording procedure was sent

INT_PTR RecordingDlgProc(HWND dlg, UINT message, WPARAM wParam, LPARAM) {
  if (message != WM_COMMAND) return 0;
  g_commands.push_back(LOWORD(wParam));
  if (LOWORD(wParam) == IDOK) EndDialog(dlg, kOkResult);
  return 0;
}

INT_PTR Open(const TestWindow &w, int id) {
  g_commands.clear();
  return DialogBoxParamA(nullptr, MAKEINTRESOURCEA(id), w.hwnd, RecordingDlgProc, 0);
}

// One line per template or control, so that a mismatch names the field.
std::string Describe(const DialogTemplate &t) {
  char line[200];
  std::snprintf(line, sizeof line, "%d style %#x at %d,%d size %dx%d \"%s\" font \"%s\" %d", t.id,
                unsigned(t.style), t.x, t.y, t.cx, t.cy, t.caption, t.font, t.pointSize);
  return line;
}
std::string Describe(const DialogControl &c) {
  char line[200];
  std::snprintf(line, sizeof line, "%s %d \"%s\" at %d,%d size %dx%d style %#x", c.kind, c.id,
                c.text, c.x, c.y, c.cx, c.cy, unsigned(c.style));
  return line;
}

}  // namespace

TEST(DialogResources, AreTheTemplatesOfTheResourceScript) {
  constexpr DWORD kDialog = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
  constexpr DWORD kLabel = WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT;
  constexpr DWORD kValue = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
  constexpr DWORD kOk = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON;
  constexpr DWORD kText =
      WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_TABSTOP | ES_MULTILINE | ES_READONLY;
  const DialogControl values[] = {
      {"STATIC", 1003, "Enter a value for the load resistance", 13, 24, 115, 8, kLabel},
      {"EDIT", 1000, "", 150, 22, 40, 14, kValue},
      {"STATIC", -1, "Enter a value for the source resistance", 13, 56, 114, 8, kLabel},
      {"EDIT", 1002, "", 150, 52, 40, 14, kValue},
      {"BUTTON", 1, "OK", 77, 84, 50, 14, kOk}};
  const DialogControl text[] = {{"BUTTON", 1, "OK", 107, 126, 50, 14, kOk},
                                {"EDIT", 1001, "", 18, 17, 228, 99, kText}};
  const DialogTemplate cases[] = {{101, kDialog, 100, 70, 205, 116, "Load value", "MS Sans Serif",
                                   10, values, int(std::size(values))},
                                  {102, kDialog, 100, 70, 264, 164, "Ondulane",
                                   "Photina Casual Black", 10, text, int(std::size(text))}};
  EXPECT_EQ(g_dialogTemplates.size(), std::size(cases));
  for (const DialogTemplate &c : cases) {
    SCOPED_TRACE(Describe(c));
    const DialogTemplate *found = FindDialogTemplate(c.id);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(Describe(*found), Describe(c));
    ASSERT_EQ(found->controlCount, c.controlCount);
    for (int i = 0; i < c.controlCount; ++i)
      EXPECT_EQ(Describe(found->controls[i]), Describe(c.controls[i]));
  }
}

// Dialog units are a quarter of the average letter width across and an
// eighth of the line height down, rounded half up to whole pixels.
TEST(DialogManager, PlacesTheClientAreaAndTheControlsInRoundedDialogUnits) {
  for (int id : {IDD_VALUES, IDD_TEXT}) {
    SCOPED_TRACE(id);
    const DialogTemplate &t = *FindDialogTemplate(id);
    TestWindow w;
    MoveWindow(w.hwnd, 40, 30, 1000, 700, 1);
    std::vector<std::pair<QRect, QRect>> placed;  // where, where it belongs
    WithDialog(
        [&] { Open(w, id); },
        [&](QWidget *dialog) {
          QFontMetrics metrics(dialog->font());
          double unitX = std::lround(metrics.horizontalAdvance(
                                         "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") /
                                     52.0) /
                         4.0,
                 unitY = metrics.height() / 8.0;
          auto pixels = [&](int x, int y, int cx, int cy) {
            return QRect(int(std::lround(x * unitX)), int(std::lround(y * unitY)),
                         int(std::lround(cx * unitX)), int(std::lround(cy * unitY)));
          };
          QPoint owner = w.hwnd->widget->mapToGlobal(QPoint(0, 0));
          placed.push_back({dialog->geometry().translated(-owner), pixels(t.x, t.y, t.cx, t.cy)});
          // The controls are the dialog's children in template order.
          QList<QWidget *> controls = dialog->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
          for (int i = 0; i < t.controlCount; ++i) {
            const DialogControl &c = t.controls[i];
            placed.push_back({controls.value(i)->geometry(), pixels(c.x, c.y, c.cx, c.cy)});
          }
          OkButton(dialog)->click();
        });
    for (const auto &[where, expected] : placed) EXPECT_EQ(where, expected);
  }
}

TEST(DialogManager, TheFocusedButtonShowsIt) {
  TestWindow w;
  QImage unfocused, focused;
  WithDialog([&] { Open(w, IDD_VALUES); },
             [&](QWidget *dialog) {
               QPushButton *ok = OkButton(dialog);
               unfocused = ok->grab().toImage();
               ok->setFocus();
               focused = ok->grab().toImage();
               ok->click();
             });
  EXPECT_NE(unfocused, focused);
}

TEST(DialogManager, TabAndBacktabGoThroughTheControlsInTemplateOrder) {
  TestWindow w;
  WithDialog([&] { w.Key(VK_F2); },
             [&](QWidget *dialog) {
               QWidget *load = LineField(dialog, 0), *source = LineField(dialog, 1),
                       *ok = OkButton(dialog);
               const std::pair<Qt::Key, QWidget *> steps[] = {
                   {Qt::Key_Tab, source}, {Qt::Key_Tab, ok},         {Qt::Key_Tab, load},
                   {Qt::Key_Backtab, ok}, {Qt::Key_Backtab, source}, {Qt::Key_Backtab, load}};
               for (const auto &[key, next] : steps) {
                 Press(key);
                 EXPECT_EQ(QApplication::focusWidget(), next);
               }
               Press(Qt::Key_Escape);
             });
}

TEST(DialogManager, EscapeAndTheCloseBoxOnlySendCancelToTheProcedure) {
  TestWindow w;
  bool openAfterCancels = false;
  INT_PTR result = 0;
  WithDialog([&] { result = Open(w, IDD_VALUES); },
             [&](QWidget *dialog) {
               Press(Qt::Key_Escape);
               dialog->close();
               openAfterCancels = dialog->isVisible();
               OkButton(dialog)->click();
             });
  EXPECT_TRUE(openAfterCancels);
  EXPECT_EQ(g_commands, (std::vector<int>{IDCANCEL, IDCANCEL, IDOK}));
  EXPECT_EQ(result, kOkResult);
}

TEST(DialogManager, TicksGoOnWhileADialogIsOpen) {
  TestWindow w;
  SetTimer(w.hwnd, kTimerId, 5, nullptr);  // faster than the program's own, for a short test
  QTimer poll;
  WithDialog([&] { Open(w, IDD_VALUES); },
             [&](QWidget *dialog) {
               g_running = 1;
               poll.callOnTimeout([&, dialog] {
                 if (g_phaseDeg < 3 * kPhaseStep) return;
                 poll.stop();
                 OkButton(dialog)->click();
               });
               poll.start(10);
             });
  KillTimer(w.hwnd, kTimerId);
  EXPECT_GE(g_phaseDeg, 3 * kPhaseStep);
}

// Keys typed into a dialog in one go, before its loop takes any: those after
// the key that closes it go to the main window, not to the closing dialog.
TEST(DialogManager, KeysAfterTheClosingKeyGoToTheMainWindow) {
  struct Case {
    const char *name;
    std::vector<Qt::Key> keys;
    int running;
  };
  const Case cases[] = {
      {"ENTER 5 leaves the load as it was", {Qt::Key_Return, Qt::Key_5}, 0},
      {"ENTER ENTER starts a run", {Qt::Key_Return, Qt::Key_Return}, 1},
      {"Escape ENTER starts a run", {Qt::Key_Escape, Qt::Key_Return}, 1},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    TestWindow w;
    WithDialog([&] { w.Key(VK_F2); },
               [&](QWidget *) {
                 for (Qt::Key key : c.keys) Press(key);
               });
    PumpMessagesForTesting();
    EXPECT_EQ(g_loadOhms, 75);
    EXPECT_EQ(g_running, c.running);
  }
}
