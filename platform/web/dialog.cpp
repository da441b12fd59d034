// Modal dialogs from templates on a page: form elements over the canvas
// (dialogs.js), laid out in dialog units of the template's font. What the
// user does there becomes WM_COMMAND messages, which the dialog's own
// message loop hands to its procedure.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/user/dialog_template.h"
#include "platform/web/internal.h"

namespace {

constexpr int kDefaultTabStopDlu =
    32;  // a multi-line field's tab stops, every 8 average characters

enum class Kind { Static = 0, Edit = 1, MultiLineEdit = 2, Button = 3 };

std::vector<std::unique_ptr<Window>> g_controls;  // the controls of every open dialog
std::vector<Window *> g_dialogLoops;              // dialogs in their loops, innermost last
int g_lastDialogId = 0;

// Rounds half away from zero, as the platform's MulDiv does.
int MulDivRounded(int number, int numerator, int denominator) {
  long long product = 1LL * number * numerator;
  long long half = (product < 0 ? -denominator : denominator) / 2;
  return int((product + half) / denominator);
}

// Pixels per dialog unit: x by a quarter of the font's average character
// width, y by an eighth of its line height.
struct DialogUnits {
  int charWidth;
  int lineHeight;
  int X(int dlu) const { return MulDivRounded(dlu, charWidth, 4); }
  int Y(int dlu) const { return MulDivRounded(dlu, lineHeight, 8); }
};

Kind KindOf(const DialogControl &c) {
  if (std::strcmp(c.kind, "BUTTON") == 0) return Kind::Button;
  if (std::strcmp(c.kind, "EDIT") == 0)
    return c.style & ES_MULTILINE ? Kind::MultiLineEdit : Kind::Edit;
  return Kind::Static;
}

// Builds the dialog and one control window per template entry; the
// creation order is the tab order.
std::unique_ptr<Window> BuildDialog(const DialogTemplate &t, HWND owner, DLGPROC proc) {
  auto dialog = std::make_unique<Window>();
  dialog->dlgProc = proc;
  dialog->parent = owner;
  dialog->id = ++g_lastDialogId;
  int measured[2];
  web_dialog_units(t.pointSize, measured);
  const DialogUnits units{measured[0], measured[1]};
  dialog->element = web_dialog_open(dialog->id, t.caption ? t.caption : "", t.pointSize,
                                    units.X(t.x), units.Y(t.y), units.X(t.cx), units.Y(t.cy));
  for (int i = 0; i < t.controlCount; ++i) {
    const DialogControl &c = t.controls[i];
    auto control = std::make_unique<Window>();
    control->parent = dialog.get();
    control->id = c.id;
    control->element =
        web_dialog_add(dialog->element, int(KindOf(c)), c.id, c.text ? c.text : "", units.X(c.x),
                       units.Y(c.y), units.X(c.cx), units.Y(c.cy), (c.style & WS_TABSTOP) != 0,
                       (c.style & WS_BORDER) != 0, (c.style & ES_READONLY) != 0,
                       (c.style & BS_DEFPUSHBUTTON) != 0, units.X(kDefaultTabStopDlu));
    g_controls.push_back(std::move(control));
  }
  return dialog;
}

// Takes the dialog and its controls away, with any message still queued for
// them.
void DestroyDialog(std::unique_ptr<Window> dialog) {
  web_dialog_close(dialog->element);
  for (auto &c : g_controls)
    if (c->parent == dialog.get()) DestroyWindow(c.get());
  std::erase_if(g_controls, [&](const auto &c) { return c->parent == dialog.get(); });
  DestroyWindow(dialog.get());
}

Window *ControlWithElement(int element) {
  for (auto &c : g_controls)
    if (element >= 0 && c->element == element) return c.get();
  return nullptr;
}

bool IsControl(const Window *w) {
  return std::any_of(g_controls.begin(), g_controls.end(),
                     [w](const auto &c) { return c.get() == w; });
}

}  // namespace

Window *OpenDialog() {
  return g_dialogLoops.empty() || g_dialogLoops.back()->dialogEnded ? nullptr
                                                                    : g_dialogLoops.back();
}

Window *DialogWithId(int id) {
  for (Window *d : g_dialogLoops)
    if (d->id == id) return d;
  return nullptr;
}

INT_PTR DialogBoxParamA(HINSTANCE, LPCSTR tmpl, HWND owner, DLGPROC proc, LPARAM init) {
  const auto id = reinterpret_cast<std::uintptr_t>(tmpl);
  const DialogTemplate *t = id <= 0xFFFF ? FindDialogTemplate(int(id)) : nullptr;
  if (!t || !proc) return -1;
  std::unique_ptr<Window> dialog = BuildDialog(*t, owner, proc);
  HWND dlg = dialog.get();
  g_dialogLoops.push_back(dlg);
  // A procedure that returns non-zero leaves the focus to the dialog
  // manager, which gives it to the first tab stop when the dialog shows.
  proc(dlg, WM_INITDIALOG, 0, init);
  if (!dlg->dialogEnded) web_dialog_show(dlg->element);
  while (!dlg->dialogEnded) {
    MSG m;
    if (!GetMessageA(&m, nullptr, 0, 0)) {
      PostQuitMessage(int(m.wParam));  // the program's own loop must see it too
      break;
    }
    TranslateMessage(&m);
    DispatchMessageA(&m);
  }
  g_dialogLoops.pop_back();
  const INT_PTR result = dlg->dialogResult;
  DestroyDialog(std::move(dialog));
  return result;
}

BOOL EndDialog(HWND dlg, INT_PTR result) {
  if (!dlg || !dlg->dlgProc || dlg->dialogEnded) return 0;
  dlg->dialogEnded = true;
  dlg->dialogResult = result;
  return 1;
}

HWND GetDlgItem(HWND dlg, int id) {
  for (auto &c : g_controls)
    if (c->parent == dlg && c->id == id) return c.get();
  return nullptr;
}

HWND SetFocus(HWND hwnd) {
  Window *previous = ControlWithElement(web_focused_control());
  if (hwnd && IsControl(hwnd)) web_control_focus(hwnd->element);
  return previous;
}

BOOL SetControlText(Window *control, LPCSTR text) {
  if (!IsControl(control)) return 0;
  web_control_set_text(control->element, text);
  return 1;
}

int GetControlText(Window *control, LPSTR buf, int max) {
  return IsControl(control) ? web_control_get_text(control->element, buf, max) : 0;
}

LRESULT SendControlMessage(Window *control, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == EM_SETSEL && IsControl(control))
    web_control_select(control->element, int(wParam), int(lParam));
  return 0;
}
