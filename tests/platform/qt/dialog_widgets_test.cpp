// The Qt widgets of a dialog: where the window manager placed its controls,
// what the focused button shows, and what Qt's own events do in it.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "dialogs/resource.h"
#include "platform/qt/testing.h"
#include "platform/user/window.h"
#include "tests/app/test_window.h"
#include "tests/platform/qt/qt_user.h"

namespace {

constexpr int kWatchdogMs = 20000;  // a dialog still open then is a failure

// What the test does once the dialog's loop runs; and what its procedure saw.
std::function<void(HWND)> g_act;
std::vector<std::pair<int, QWidget *>> g_commands;  // each command, and the focus then
std::string g_sourceAtOk;

INT_PTR CALLBACK RecordingDlgProc(HWND dlg, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) QTimer::singleShot(0, [dlg] { g_act(dlg); });
  if (message != WM_COMMAND) return 0;
  QWidget *dialog = DialogWidget();
  g_commands.push_back({LOWORD(wParam), dialog ? dialog->focusWidget() : nullptr});
  if (LOWORD(wParam) == IDOK) {
    char text[64] = "";
    if (HWND source = GetDlgItem(dlg, IDC_SOURCE)) GetWindowTextA(source, text, sizeof text);
    g_sourceAtOk = text;
    EndDialog(dlg, 1);
  }
  return 0;
}

// Opens the dialog over the window, runs `act` in its loop and waits until
// it has closed; a watchdog presses OK on a dialog left open.
void RunDialog(const TestWindow &w, int id, std::function<void(HWND)> act) {
  g_commands.clear();
  g_act = std::move(act);
  QTimer watchdog;
  watchdog.setSingleShot(true);
  watchdog.callOnTimeout([] {
    ADD_FAILURE() << "the dialog stayed open";
    if (QWidget *dialog = DialogWidget()) dialog->findChild<QPushButton *>()->click();
  });
  watchdog.start(kWatchdogMs);
  DialogBoxParamA(nullptr, MAKEINTRESOURCEA(id), w.hwnd, RecordingDlgProc, 0);
}

QRect ToQRect(const Rect &r) { return QRect(r.left, r.top, r.Width(), r.Height()); }

// The dialog's control widgets, in the order they were made.
QWidget *Control(QWidget *dialog, int index) {
  return dialog->findChildren<QWidget *>(Qt::FindDirectChildrenOnly).value(index);
}

}  // namespace

// Tab, Escape, Enter and the close box do what the window manager makes of
// them, and Qt nothing more: one step of the focus for a Tab, a cancel
// that leaves the dialog to its procedure, the default button for Enter.
// Keys it leaves to a field reach the field. A focused button shows it.
TEST(DialogWidgets, KeysFromQtGoWhereTheWindowManagerSendsThem) {
  TestWindow w;
  QWidget *source = nullptr, *ok = nullptr;
  QImage unfocused, focused;
  RunDialog(w, IDD_VALUES, [&](HWND dlg) {
    QWidget *dialog = DialogWidget();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(QTest::qWaitFor([dialog] { return QApplication::activeWindow() == dialog; }));
    source = Control(dialog, 3), ok = Control(dialog, 4);
    unfocused = ok->grab().toImage();
    SetFocus(GetDlgItem(dlg, IDOK));
    focused = ok->grab().toImage();
    SetFocus(GetDlgItem(dlg, IDC_LOAD));
    // Whichever widget Qt gives them to, keys go where the window manager says.
    for (int key : {Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Escape}) Press(dialog, key);
    dialog->close();
    Press(dialog, Qt::Key_Backtab, Qt::ShiftModifier);
    for (int key : {Qt::Key_4, Qt::Key_2, Qt::Key_Return}) Press(dialog, key);
  });
  EXPECT_NE(unfocused, focused);
  const std::vector<std::pair<int, QWidget *>> expected = {
      {IDCANCEL, ok}, {IDCANCEL, ok}, {IDOK, source}};
  EXPECT_EQ(g_commands, expected);
  EXPECT_EQ(g_sourceAtOk, "42");
}

// The widgets stand at the pixel rectangles the window manager gave each
// control, in the order of the template. A field is named by the static
// text just before it, or with none there by its dialog's caption; a
// one-line field's text is read whole, as one run, and no boundary is
// looked for past its end, where Qt's own search never ends.
TEST(DialogWidgets, FieldsAreNamedByTheLabelBeforeThemOrTheCaptionAndReadWhole) {
  struct Made {
    int id;
    const char *kind;
    QString name;  // a field's
  };
  struct Case {
    int dialog;
    std::vector<Made> controls;  // in the template's order
  };
  const Case cases[] = {
      {IDD_VALUES,
       {{IDC_LOAD_CAPTION, "QLabel", ""},
        {IDC_LOAD, "QLineEdit", "Enter a value for the load resistance"},
        {IDC_STATIC, "QLabel", ""},
        {IDC_SOURCE, "QLineEdit", "Enter a value for the source resistance"},
        {IDOK, "QPushButton", ""}}},
      {IDD_TEXT, {{IDOK, "QPushButton", ""}, {IDC_TEXT, "QPlainTextEdit", "Ondulane"}}},
  };
  struct Read {
    QAccessible::TextBoundaryType type;
    int offset;
    bool after;
    QString text;
    int start, end;
  };
  const Read reads[] = {
      {QAccessible::CharBoundary, 0, false, "3", 0, 1},
      {QAccessible::WordBoundary, 2, false, "", 2, 2},
      {QAccessible::SentenceBoundary, 3, false, "", 2, 2},
      {QAccessible::LineBoundary, 2, false, "35", 0, 2},
      {QAccessible::WordBoundary, 2, true, "", 2, 2},
      {QAccessible::CharBoundary, 0, true, "5", 1, 2},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.dialog);
    TestWindow w;
    RunDialog(w, c.dialog, [&](HWND dlg) {
      for (std::size_t i = 0; i < c.controls.size(); ++i) {
        const Made &made = c.controls[i];
        SCOPED_TRACE(made.id);
        QWidget *widget = Control(DialogWidget(), int(i));
        ASSERT_NE(widget, nullptr);
        EXPECT_TRUE(widget->inherits(made.kind));
        EXPECT_EQ(widget->geometry(), ToQRect(GetDlgItem(dlg, made.id)->place));
        if (made.name.isEmpty()) continue;
        QAccessibleInterface *read = QAccessible::queryAccessibleInterface(widget);
        EXPECT_EQ(read->text(QAccessible::Name), made.name);
        if (!qobject_cast<QLineEdit *>(widget)) continue;
        HWND control = GetDlgItem(dlg, made.id);
        SetWindowTextA(control, "35");
        SendMessageA(control, EM_SETSEL, 0, -1);
        QAccessibleTextInterface *text = read->textInterface();
        int start = -1, end = -1;
        text->attributes(1, &start, &end);
        EXPECT_EQ(std::pair(start, end), std::pair(0, 2));
        text->selection(0, &start, &end);
        EXPECT_EQ(std::pair(start, end), std::pair(0, 2));
        for (const Read &r : reads) {
          SCOPED_TRACE(r.type * 10 + r.offset);
          EXPECT_EQ(r.after ? text->textAfterOffset(r.offset, r.type, &start, &end)
                            : text->textAtOffset(r.offset, r.type, &start, &end),
                    r.text);
          EXPECT_EQ(std::pair(start, end), std::pair(r.start, r.end));
        }
      }
      PostMessageA(dlg, WM_COMMAND, IDOK, 0);  // as its OK button would end it
    });
  }
}
