#include "platform/user/dialog_template.h"

const DialogTemplate *FindDialogTemplate(int id) {
  for (const DialogTemplate &t : g_dialogTemplates)
    if (t.id == id) return &t;
  return nullptr;
}
