// What the page's address and the system's contrast setting ask of the
// colours, told to the window manager at first and at every change.
#include "platform/web/internal.h"

extern "C" {
// colours.js
int web_colours_asked();
void web_follow_contrast(void (*changed)());
}

namespace {

void TellColoursAsked() { ColourOptionsAsked(web_colours_asked()); }

}  // namespace

void UseColoursAsked() {
  static bool following = false;
  if (!following) {
    web_follow_contrast(TellColoursAsked);
    following = true;
  }
  TellColoursAsked();
}
