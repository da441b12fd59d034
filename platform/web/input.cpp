// The page's input, in the order it came, into the window manager's line;
// and the wait for it, which gives the page back to the browser.
#include <memory>

#include "platform/gdi/utf8.h"
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
  ms = SayWhatIsDue(ms);
  if (ms != 0 && !InputWaiting()) web_wait(ms);
  TakePageInput();
  FollowCanvas();
}

void DriverDeliverKey(Window *target, const KeyInput &key) {
  if (key.native) {
    const auto &field = *static_cast<const LinkField *>(key.native.get());
    Window *dialog = target->kind == WindowKind::Dialog ? target : target->parent;
    if (Window *control = GetDlgItem(dialog, field.id)) web_focus_field(control);
    return;
  }
  // Keys typed at the canvas ahead of the dialog; in the dialog the browser
  // types them itself.
  if (key.release || target->kind != WindowKind::Control) return;
  if (target->control == ControlKind::Button && key.vk == VK_SPACE)
    ButtonPressed(target);
  else if (key.character)
    DriverTypeText(target, Utf8(key.character));
}
