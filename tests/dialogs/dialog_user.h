// Plays the user's part in a modal dialog from a test: the dialog runs its
// own message loop, so what the user does is given before it opens, and
// runs once the dialog waits for the user.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/headless/testing.h"

// Runs `run`; a dialog still open once the program waits for the user is a
// failure, and is cancelled so that the test can go on.
inline void WithoutDialogLeftOpen(const std::function<void()> &run) {
  WhenStuckForTesting([] {
    ADD_FAILURE() << "a dialog stayed open";
    EndDialog(ShownDialogForTesting(), 0);
  });
  run();
  WhenStuckForTesting(nullptr);
  EXPECT_EQ(ShownDialogForTesting(), nullptr);
}

// Runs `open` and, once the dialog is on the screen and waits, `act`, which
// must close it.
inline void WithDialog(const std::function<void()> &open, const std::function<void(HWND)> &act) {
  bool acted = false;
  WhenIdleForTesting([&] {
    HWND dialog = ShownDialogForTesting();
    ASSERT_NE(dialog, nullptr) << "no dialog is open";
    acted = true;
    act(dialog);
  });
  WithoutDialogLeftOpen(open);
  ForgetIdleActionsForTesting();
  EXPECT_TRUE(acted);
}

inline void Press(int vk, bool shift = false) { PressKeyForTesting(vk, shift); }
inline void Type(const std::string &text) { TypeForTesting(text); }

// The whole text of the focused field replaced, as a paste over Ctrl+A.
inline void Paste(const std::string &text) {
  PressKeyForTesting('A', false, true);
  PasteForTesting(text);
}

inline std::string FieldText(HWND dialog, int id) {
  char text[256];
  GetWindowTextA(GetDlgItem(dialog, id), text, sizeof text);
  return text;
}
