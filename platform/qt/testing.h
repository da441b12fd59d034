// What the Qt driver gives tests and tools beyond platform/user/testing.h.
#pragma once

#include <QRect>
#include <QSize>
#include <cstddef>

#include "platform/user/testing.h"
#include "platform/win.h"

class QAccessibleEvent;

// Sends what changed in the windows' texts to `listen` in place of Qt's
// accessibility, which passes nothing on where no assistive technology is
// on; null sends it to Qt's again.
void ListenToAccessibilityForTesting(void (*listen)(QAccessibleEvent *));

// Writes the window's screen image to a PNG file.
bool SaveScreenPng(HWND, const char *path);

// How a changed rectangle of a screen image goes to an X11 window: clipped
// to the image and to X11's coordinates, in pieces of at most columns by rows
// that fit a request of requestBytes and, unless whole rows, the copy strip.
struct PutPieces {
  QRect area;
  int columns = 0, rows = 0;
};
PutPieces PlanPut(QRect changed, QSize image, std::size_t requestBytes);
