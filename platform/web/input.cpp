// The page's input, in the order it came, into the window manager's line;
// and the wait for it, which gives the page back to the browser.
#include <memory>

#include "platform/web/internal.h"

namespace {

// A link's value goes into the open dialog's field of this control id: the
// page's own key, acted on when the dialog manager hands it to the dialog,
// as a click into the field would be.
struct LinkField {
  int id;
};

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
        PostKeyInput(in.window,
                     KeyInput{.native = std::make_shared<const LinkField>(LinkField{in.field})});
        PostTextInput(TakeString(in.value));
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
// ahead of it the window manager types. The page's own key is a link's.
void DriverDeliverKey(Window *target, const KeyInput &key) {
  if (!key.native) return;
  const auto &field = *static_cast<const LinkField *>(key.native.get());
  Window *dialog = target->kind == WindowKind::Dialog ? target : target->parent;
  if (Window *control = GetDlgItem(dialog, field.id)) web_focus_field(control);
}
