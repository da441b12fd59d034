// The page's input, in the order it came, into the window manager's line;
// and the wait for it, which gives the page back to the browser.
#include "platform/web/internal.h"

namespace {

void TakePageInput() {
  PageInput in;
  while (web_take_input(&in)) {
    switch (in.kind) {
      case PageInput::Key:
        PostKeyInput(in.window, KeyInput{.vk = in.vk,
                                         .repeat = in.repeat != 0,
                                         .shift = in.shift != 0,
                                         .character = char32_t(in.character)});
        break;
      case PageInput::Close:
        PostCloseInput(in.window);
        break;
      case PageInput::Button:
        ButtonPressed(in.window);
        break;
      case PageInput::LinkValue:
        PostFieldInput(in.field, TakeString(in.value));
        break;
    }
  }
}

}  // namespace

// The program suspends (Asyncify) in web_wait only; while it runs, no event
// comes, so the page's input is all taken after each wait.
void DriverWait(int ms) {
  if (ms != 0) web_wait(ms);
  TakePageInput();
  FollowCanvas();
}

// In the dialog the browser types keys itself; those typed at the canvas
// ahead of it the window manager types.
void DriverDeliverKey(Window *, const KeyInput &) {}
