// The dialog manager of the window-system layer, seen from a procedure of
// the test's own.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QLabel>
#include <string>
#include <vector>

#include "app/qt_internal.h"
#include "dialogs/dialogs.h"
#include "tests/app/test_window.h"
#include "tests/dialogs/dialog_user.h"

namespace {

constexpr int IDC_LOAD_CAPTION = 1003;
constexpr INT_PTR kOkResult = 7;  // what the recording procedure ends with on OK

// What the recording procedure saw.
struct Seen {
  HWND dialog = nullptr;
  LPARAM init = 0;
  std::vector<int> commands;
  INT_PTR initResult = 0;  // what it answers to WM_INITDIALOG
};
Seen g_seen;

// Ends only on OK; everything else is noted and left to the test.
INT_PTR RecordingDlgProc(HWND dlg, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      g_seen.dialog = dlg;
      g_seen.init = lParam;
      return g_seen.initResult;
    case WM_COMMAND:
      g_seen.commands.push_back(LOWORD(wParam));
      if (LOWORD(wParam) == IDOK) EndDialog(dlg, kOkResult);
      return 0;
  }
  return 0;
}

INT_PTR Open(const TestWindow &w, int id, LPARAM init = 0) {
  return DialogBoxParamA(nullptr, MAKEINTRESOURCEA(id), w.hwnd, RecordingDlgProc, init);
}

// Calls `check` with the dialog once its loop has handled `count` commands.
class AfterCommands {
 public:
  AfterCommands(std::size_t count, std::function<void()> check) {
    timer_.setInterval(10);
    QObject::connect(&timer_, &QTimer::timeout, [this, count, check] {
      if (g_seen.commands.size() < count) return;
      timer_.stop();
      check();
    });
  }
  void Start() { timer_.start(); }

 private:
  QTimer timer_;
};

std::string Text(HWND hwnd, int max) {
  char buf[200] = "unchanged";
  int count = GetWindowTextA(hwnd, buf, max);
  return std::to_string(count) + " " + buf;
}

struct DialogUnits {
  int x, y;
};
DialogUnits UnitsOf(const QFont &font) {
  QFontMetrics metrics(font);
  int letters = metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
  return DialogUnits{(letters / 26 + 1) / 2, metrics.height()};
}

}  // namespace

TEST(DialogManager, BringsTheInitParameterAndEndsWithTheResultGiven) {
  TestWindow w;
  g_seen = Seen{};
  INT_PTR result = 0;
  WithDialog([&] { result = Open(w, IDD_VALUES, 42); },
             [](QWidget *dialog) { OkButton(dialog)->click(); });
  EXPECT_EQ(g_seen.init, 42);
  EXPECT_EQ(g_seen.commands, std::vector<int>{IDOK});
  EXPECT_EQ(result, kOkResult);
}

TEST(DialogManager, EscapeAndTheCloseBoxOnlyAskTheProcedure) {
  TestWindow w;
  g_seen = Seen{};
  bool openAfterCancels = false;
  QWidget *shown = nullptr;
  AfterCommands then(2, [&] {
    openAfterCancels = shown->isVisible();
    OkButton(shown)->click();
  });
  WithDialog([&] { Open(w, IDD_VALUES); },
             [&](QWidget *dialog) {
               shown = dialog;
               Press(Qt::Key_Escape);
               dialog->close();
               then.Start();
             });
  EXPECT_TRUE(openAfterCancels);
  EXPECT_EQ(g_seen.commands, (std::vector<int>{IDCANCEL, IDCANCEL, IDOK}));
}

TEST(DialogManager, AMissingTemplateActsAsCancel) {
  TestWindow w;
  g_seen = Seen{};
  EXPECT_EQ(Open(w, 999), -1);
  EXPECT_EQ(DialogBoxParamA(nullptr, "VALUES", w.hwnd, RecordingDlgProc, 0), -1);
  EXPECT_EQ(g_seen.dialog, nullptr);
}

TEST(DialogManager, FocusesTheFirstTabStopWhenTheProcedureAsks) {
  struct Case {
    int dialog;
    const char *focused;
  };
  const Case cases[] = {{IDD_VALUES, "QLineEdit"}, {IDD_TEXT, "QPushButton"}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.dialog);
    TestWindow w;
    g_seen = Seen{};
    g_seen.initResult = 1;
    std::string focused;
    WithDialog([&] { Open(w, c.dialog); },
               [&](QWidget *dialog) {
                 focused = QApplication::focusWidget()->metaObject()->className();
                 OkButton(dialog)->click();
               });
    EXPECT_EQ(focused, c.focused);
  }
}

TEST(DialogManager, TabMovesThroughTheControlsInTemplateOrder) {
  struct Case {
    Qt::Key key;
    int presses;
    const char *focused;  // "load", "source" or "ok"
  };
  const Case cases[] = {
      {Qt::Key_Tab, 1, "source"}, {Qt::Key_Tab, 2, "ok"},         {Qt::Key_Tab, 3, "load"},
      {Qt::Key_Backtab, 1, "ok"}, {Qt::Key_Backtab, 2, "source"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(std::to_string(c.presses) + " " + c.focused);
    TestWindow w;
    std::string focused;
    WithDialog([&] { w.Key(VK_F2); },
               [&](QWidget *dialog) {
                 for (int i = 0; i < c.presses; ++i) Press(c.key);
                 QWidget *f = QApplication::focusWidget();
                 focused = f == LineField(dialog, 0)   ? "load"
                           : f == LineField(dialog, 1) ? "source"
                           : f == OkButton(dialog)     ? "ok"
                                                       : "other";
                 Press(Qt::Key_Escape);
               });
    EXPECT_EQ(focused, c.focused);
  }
}

TEST(DialogManager, FieldsGiveAtMostOneCharacterLessThanTheBuffer) {
  struct Case {
    int control;  // 0: the dialog itself
    const char *set;
    int max;
    const char *got;
  };
  const Case cases[] = {
      {IDC_LOAD, "12345", 10, "5 12345"},
      {IDC_LOAD, "12345", 6, "5 12345"},
      {IDC_LOAD, "12345", 5, "4 1234"},
      {IDC_LOAD, "12345", 1, "0 "},
      {IDC_LOAD, "12345", 0, "0 unchanged"},
      {IDC_LOAD, "", 10, "0 "},
      {IDC_SOURCE, "a\xE9z", 10, "3 a\xE9z"},
      {IDC_LOAD_CAPTION, nullptr, 100, "37 Enter a value for the load resistance"},
      {IDOK, nullptr, 10, "2 OK"},
      {0, nullptr, 100, "10 Load value"},
  };
  TestWindow w;
  g_seen = Seen{};
  std::vector<std::string> got;
  WithDialog([&] { Open(w, IDD_VALUES); },
             [&](QWidget *dialog) {
               for (const Case &c : cases) {
                 HWND hwnd = c.control ? GetDlgItem(g_seen.dialog, c.control) : g_seen.dialog;
                 if (c.set) SetWindowTextA(hwnd, c.set);
                 got.push_back(Text(hwnd, c.max));
               }
               OkButton(dialog)->click();
             });
  ASSERT_EQ(got.size(), std::size(cases));
  for (std::size_t i = 0; i < got.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(got[i], cases[i].got);
  }
}

TEST(DialogManager, GivesNothingForWhatIsNoControl) {
  TestWindow w;
  g_seen = Seen{};
  HWND missing = reinterpret_cast<HWND>(1);
  std::string typed;
  WithDialog([&] { Open(w, IDD_VALUES); },
             [&](QWidget *dialog) {
               missing = GetDlgItem(g_seen.dialog, 4242);
               LineField(dialog, 0)->setText(QString::fromUtf8("\xD0\xBE\xE2\x82\xAC"));
               typed = Text(GetDlgItem(g_seen.dialog, IDC_LOAD), 10);
               OkButton(dialog)->click();
             });
  EXPECT_EQ(missing, nullptr);
  EXPECT_EQ(typed, "2 ??");  // outside Latin-1
  EXPECT_EQ(Text(nullptr, 10), "0 ");
}

TEST(DialogManager, SelectsAsTheEditMessageAsks) {
  struct Case {
    int start, end;
    const char *selected;
  };
  const Case cases[] = {
      {0, -1, "12345"},  {1, 3, "23"}, {2, -1, "345"}, {3, 1, "23"},
      {0, 100, "12345"}, {-1, 0, ""},  {5, 5, ""},
  };
  TestWindow w;
  g_seen = Seen{};
  std::vector<std::string> selected;
  WithDialog([&] { Open(w, IDD_VALUES); },
             [&](QWidget *dialog) {
               HWND load = GetDlgItem(g_seen.dialog, IDC_LOAD);
               SetWindowTextA(load, "12345");
               for (const Case &c : cases) {
                 SendMessageA(load, EM_SETSEL, WPARAM(c.start), LPARAM(c.end));
                 selected.push_back(LineField(dialog, 0)->selectedText().toStdString());
               }
               OkButton(dialog)->click();
             });
  ASSERT_EQ(selected.size(), std::size(cases));
  for (std::size_t i = 0; i < selected.size(); ++i) {
    SCOPED_TRACE(std::to_string(cases[i].start) + " " + std::to_string(cases[i].end));
    EXPECT_EQ(selected[i], cases[i].selected);
  }
}

TEST(DialogManager, KeepsLineBreaksOfAMultiLineFieldAsCrLf) {
  TestWindow w;
  g_seen = Seen{};
  std::string got;
  int blocks = 0;
  WithDialog([&] { Open(w, IDD_TEXT); },
             [&](QWidget *dialog) {
               HWND field = GetDlgItem(g_seen.dialog, IDC_TEXT);
               SetWindowTextA(field, "one\r\n\r\ntwo");
               got = Text(field, 100);
               blocks = TextField(dialog)->document()->blockCount();
               OkButton(dialog)->click();
             });
  EXPECT_EQ(got, "10 one\r\n\r\ntwo");
  EXPECT_EQ(blocks, 3);
}

TEST(DialogManager, TicksGoOnWhileADialogIsOpen) {
  constexpr int kFastTimerMs = 5;
  TestWindow w;
  g_seen = Seen{};
  SetTimer(w.hwnd, kTimerId, kFastTimerMs, nullptr);
  QTimer waitForTicks;
  waitForTicks.setInterval(10);
  QWidget *shown = nullptr;
  QObject::connect(&waitForTicks, &QTimer::timeout, [&] {
    if (g_phaseDeg < 3 * kPhaseStep) return;
    waitForTicks.stop();
    OkButton(shown)->click();
  });
  WithDialog([&] { Open(w, IDD_VALUES); },
             [&](QWidget *dialog) {
               shown = dialog;
               g_running = 1;
               waitForTicks.start();
             });
  KillTimer(w.hwnd, kTimerId);
  EXPECT_GE(g_phaseDeg, 3 * kPhaseStep);
}

TEST(DialogManager, PlacesTheDialogInDialogUnitsFromTheOwnersClientArea) {
  struct Case {
    int dialog;
    int x, y, cx, cy;
  };
  const Case cases[] = {{IDD_VALUES, 100, 70, 205, 116}, {IDD_TEXT, 100, 70, 264, 164}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.dialog);
    TestWindow w;
    g_seen = Seen{};
    MoveWindow(w.hwnd, 40, 30, 1000, 700, 1);
    QRect frame;
    DialogUnits units{};
    WithDialog([&] { Open(w, c.dialog); },
               [&](QWidget *dialog) {
                 frame = QRect(dialog->pos(), dialog->size());
                 units = UnitsOf(dialog->font());
                 OkButton(dialog)->click();
               });
    EXPECT_EQ(frame.x(), 40 + c.x * units.x / 4);
    EXPECT_EQ(frame.y(), 30 + c.y * units.y / 8);
    EXPECT_EQ(frame.width(), c.cx * units.x / 4);
    EXPECT_EQ(frame.height(), c.cy * units.y / 8);
  }
}

TEST(DialogManager, LaysTheControlsOutInDialogUnits) {
  struct Case {
    int dialog;
    int id;
    int x, y, cx, cy;
  };
  const Case cases[] = {
      {IDD_VALUES, IDC_LOAD_CAPTION, 13, 24, 115, 8},
      {IDD_VALUES, IDC_LOAD, 150, 22, 40, 14},
      {IDD_VALUES, IDC_SOURCE, 150, 52, 40, 14},
      {IDD_VALUES, IDOK, 77, 84, 50, 14},
      {IDD_TEXT, IDOK, 107, 126, 50, 14},
      {IDD_TEXT, IDC_TEXT, 18, 17, 228, 99},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(std::to_string(c.dialog) + " " + std::to_string(c.id));
    TestWindow w;
    g_seen = Seen{};
    QRect rect;
    DialogUnits units{};
    WithDialog([&] { Open(w, c.dialog); },
               [&](QWidget *dialog) {
                 rect = GetDlgItem(g_seen.dialog, c.id)->widget->geometry();
                 units = UnitsOf(dialog->font());
                 OkButton(dialog)->click();
               });
    EXPECT_EQ(rect,
              QRect(c.x * units.x / 4, c.y * units.y / 8, c.cx * units.x / 4, c.cy * units.y / 8));
  }
}

TEST(DialogManager, UsesAnInstalledSansFaceInWhichTheLabelsFit) {
  TestWindow w;
  QString family;
  int points = 0;
  std::vector<std::string> clipped;
  WithDialog([&] { w.Key(VK_F2); },
             [&](QWidget *dialog) {
               family = QFontInfo(dialog->font()).family();
               points = dialog->font().pointSize();
               for (QLabel *label : dialog->findChildren<QLabel *>())
                 if (label->fontMetrics().horizontalAdvance(label->text()) > label->width())
                   clipped.push_back(label->text().toStdString());
               if (QFontMetrics(dialog->font()).horizontalAdvance("OK") > OkButton(dialog)->width())
                 clipped.push_back("OK");
               Press(Qt::Key_Escape);
             });
  EXPECT_TRUE(family == "Liberation Sans" || family == "DejaVu Sans" || family == "Nimbus Sans")
      << family.toStdString();
  EXPECT_EQ(points, 10);
  EXPECT_TRUE(clipped.empty()) << (clipped.empty() ? "" : clipped.front());
}

TEST(DialogManager, GivesTheKeyboardBackToTheMainWindowWhenItCloses) {
  TestWindow w;
  w.hwnd->widget->show();
  ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == w.hwnd->widget; }));
  WithDialog([&] { w.Key(VK_F3); }, [](QWidget *) { Press(Qt::Key_Escape); });
  EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == w.hwnd->widget; }));
}
