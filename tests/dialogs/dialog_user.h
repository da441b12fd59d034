// Plays the user's part in a modal dialog from a test: the dialog runs its
// own message loop, so what the user does is scheduled before it opens.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

constexpr int kDialogWatchdogMs = 20000;  // a dialog still open then is a failure

// The dialog on the screen, if any.
inline QWidget *ShownDialog() {
  for (QWidget *w : QApplication::topLevelWidgets())
    if (w->isVisible() && w->inherits("QDialog")) return w;
  return nullptr;
}

// Runs `open` and, once the dialog is up and active, `act`, which must close
// it; if it does not, the watchdog presses OK so the test can go on.
inline void WithDialog(const std::function<void()> &open,
                       const std::function<void(QWidget *)> &act) {
  QObject guard;  // takes with it what has not run when the dialog is over
  bool acted = false;
  QTimer::singleShot(0, &guard, [&] {
    QWidget *dialog = ShownDialog();
    ASSERT_NE(dialog, nullptr) << "no dialog is open";
    EXPECT_TRUE(QTest::qWaitFor([dialog] { return QApplication::activeWindow() == dialog; },
                                kDialogWatchdogMs / 2));
    acted = true;
    act(dialog);
  });
  QTimer::singleShot(kDialogWatchdogMs, &guard, [] {
    ADD_FAILURE() << "the dialog stayed open";
    if (QWidget *dialog = ShownDialog())
      if (auto *ok = dialog->findChild<QPushButton *>()) ok->click();
  });
  open();
  EXPECT_TRUE(acted);
}

// The dialog's line fields in template order: the load, then the source.
inline QLineEdit *LineField(QWidget *dialog, int index) {
  return dialog->findChildren<QLineEdit *>().value(index);
}

inline QPushButton *OkButton(QWidget *dialog) { return dialog->findChild<QPushButton *>(); }

// What has the keyboard focus gets the key, as for a user.
inline void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}

inline void Type(const QString &text) { QTest::keyClicks(QApplication::focusWidget(), text); }

// Replaces the whole text of the focused field through the clipboard.
inline void Paste(const QString &text) {
  QGuiApplication::clipboard()->setText(text);
  Press(Qt::Key_A, Qt::ControlModifier);
  Press(Qt::Key_V, Qt::ControlModifier);
}
