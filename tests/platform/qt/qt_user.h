// Plays the user's part through Qt's own events, as the window system
// delivers them, and finds what the Qt driver shows.
#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

// The top-level widget shown with this title that is not a dialog.
inline QWidget *MainWidget() {
  for (QWidget *w : QApplication::topLevelWidgets())
    if (w->isVisible() && !w->inherits("QDialog") && w->windowTitle() == "Ondulane") return w;
  return nullptr;
}

// The dialog shown, if any.
inline QWidget *DialogWidget() {
  for (QWidget *w : QApplication::topLevelWidgets())
    if (w->isVisible() && w->inherits("QDialog")) return w;
  return nullptr;
}

// A key pressed and let go in a widget.
inline void Press(QWidget *w, int key, Qt::KeyboardModifiers mods = Qt::NoModifier,
                  bool autoRepeat = false) {
  const QString text = key < 0x80 ? QString(QChar(key)) : QString();
  for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
    QKeyEvent e(type, key, mods, text, autoRepeat);
    QApplication::sendEvent(w, &e);
  }
}
