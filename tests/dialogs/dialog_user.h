// Plays the user's part in a modal dialog from a test: the dialog runs its
// own message loop, so what the user does is scheduled before it opens.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

constexpr int kDialogWatchdogMs = 20000;  // a dialog still open then is a failure

// Runs `open` (a key that opens a dialog, or a direct call) and, once the
// dialog is up and active, `act` with the dialog's widget. `act` must close
// it; if it does not, the watchdog presses OK so the test can go on.
inline void WithDialog(const std::function<void()> &open,
                       const std::function<void(QWidget *)> &act) {
  bool acted = false;
  QTimer user;
  user.setSingleShot(true);
  QObject::connect(&user, &QTimer::timeout, [&] {
    QWidget *dialog = QApplication::activeModalWidget();
    if (!dialog) {
      ADD_FAILURE() << "no dialog is open";
      return;
    }
    EXPECT_TRUE(QTest::qWaitFor([dialog] { return QApplication::activeWindow() == dialog; },
                                kDialogWatchdogMs / 2));
    acted = true;
    act(dialog);
  });
  QTimer watchdog;
  watchdog.setSingleShot(true);
  QObject::connect(&watchdog, &QTimer::timeout, [] {
    ADD_FAILURE() << "the dialog stayed open";
    if (QWidget *dialog = QApplication::activeModalWidget())
      if (auto *ok = dialog->findChild<QPushButton *>()) ok->click();
  });
  user.start(0);
  watchdog.start(kDialogWatchdogMs);
  open();
  EXPECT_TRUE(acted);
}

// The dialog's line fields in template order: the load, then the source.
inline QLineEdit *LineField(QWidget *dialog, int index) {
  auto fields = dialog->findChildren<QLineEdit *>();
  return index < fields.size() ? fields[index] : nullptr;
}

inline QPlainTextEdit *TextField(QWidget *dialog) { return dialog->findChild<QPlainTextEdit *>(); }

inline QPushButton *OkButton(QWidget *dialog) { return dialog->findChild<QPushButton *>(); }

// What has the keyboard focus gets the key, as for a user.
inline void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  if (QWidget *focus = QApplication::focusWidget())
    QTest::keyClick(focus, key, modifiers);
  else
    ADD_FAILURE() << "nothing has the focus";
}

inline void Type(const QString &text) {
  if (QWidget *focus = QApplication::focusWidget())
    QTest::keyClicks(focus, text);
  else
    ADD_FAILURE() << "nothing has the focus";
}

// Replaces the whole text of the focused field through the clipboard.
inline void Paste(const QString &text) {
  QGuiApplication::clipboard()->setText(text);
  Press(Qt::Key_A, Qt::ControlModifier);
  Press(Qt::Key_V, Qt::ControlModifier);
}
