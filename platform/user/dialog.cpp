// The dialog manager: modal dialogs from the program's templates.
//
// A template is laid out in dialog units of its own font, as the driver
// measures it; the driver makes the native controls where they are placed
// here. The dialog's own loop takes the messages; its keys go through
// DialogKey as IsDialogMessage has them, so Tab, Enter and Escape do the
// same on every driver.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/gdi/utf8.h"
#include "platform/user/internal.h"
#include "platform/user/resources.h"
#include "platform/user/testing.h"

namespace {

constexpr WORD BN_CLICKED = 0;
// Measured in the template's font for its average width.
constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
constexpr int kDefaultTabStopDlu =
    32;  // a multi-line field's tab stops, every 8 average characters

std::vector<std::unique_ptr<Window>> g_controls;  // the controls of every open dialog
std::vector<Window *> g_dialogLoops;              // dialogs in their loops, innermost last

// Rounds half away from zero, as the platform's MulDiv does.
int MulDivRounded(int number, int numerator, int denominator) {
  const long long product = 1LL * number * numerator;
  const long long half = (product < 0 ? -denominator : denominator) / 2;
  return int((product + half) / denominator);
}

// Pixels per dialog unit: across, a quarter of the average width of the 52
// letters, their advance taken in whole pixels and the average rounded;
// down, an eighth of the line height.
struct DialogUnits {
  int charWidth, lineHeight;
  explicit DialogUnits(TextMeasure m)
      : charWidth((int(std::lround(m.width)) / 26 + 1) / 2), lineHeight(m.lineHeight) {}
  int X(int dlu) const { return MulDivRounded(dlu, charWidth, 4); }
  int Y(int dlu) const { return MulDivRounded(dlu, lineHeight, 8); }
  Rect Place(int x, int y, int cx, int cy) const {
    return {X(x), Y(y), X(x) + X(cx), Y(y) + Y(cy)};
  }
};

ControlKind KindOf(const DialogControl &c) {
  if (std::strcmp(c.kind, "BUTTON") == 0) return ControlKind::Button;
  if (std::strcmp(c.kind, "EDIT") == 0)
    return c.style & ES_MULTILINE ? ControlKind::MultiLineEdit : ControlKind::Edit;
  return ControlKind::Static;
}

// A rectangle of a mirrored dialog's client area `width` pixels wide, its x
// measured from the right edge.
Rect Mirrored(Rect r, int width) { return {width - r.right, r.top, width - r.left, r.bottom}; }

// The dialog and one control per template entry; the creation order is the
// tab order. A mirrored dialog mirrors each control's place, as Windows
// mirrors the coordinates of a window with WS_EX_LAYOUTRTL and of its
// children; the order of the controls, and with it Tab's, stays.
std::unique_ptr<Window> BuildDialog(const DialogTemplate &t, HWND owner, DLGPROC proc) {
  auto dialog = std::make_unique<Window>();
  dialog->kind = WindowKind::Dialog;
  dialog->dlgProc = proc;
  dialog->parent = owner;
  dialog->style = t.style;
  dialog->text = t.caption ? t.caption : "";
  dialog->font = t.font ? t.font : "";
  dialog->pointSize = t.pointSize;
  dialog->rightToLeft = t.exStyle & WS_EX_LAYOUTRTL;
  const DialogUnits units(DriverMeasureText(dialog.get(), kLetters));
  dialog->place = units.Place(t.x, t.y, t.cx, t.cy);
  dialog->tabPixels = units.X(kDefaultTabStopDlu);
  DriverCreateDialog(dialog.get());
  const Window *previous = nullptr;
  for (int i = 0; i < t.controlCount; ++i) {
    const DialogControl &c = t.controls[i];
    g_controls.push_back(std::make_unique<Window>());
    Window *control = g_controls.back().get();
    control->kind = WindowKind::Control;
    control->parent = dialog.get();
    control->id = c.id;
    control->style = c.style;
    control->control = KindOf(c);
    control->text = c.text ? c.text : "";
    if (control->IsEdit()) {
      control->text = DriverLines(control->text);
      if (previous && previous->control == ControlKind::Static) control->label = previous;
    }
    control->rightToLeft = dialog->rightToLeft;
    control->place = units.Place(c.x, c.y, c.cx, c.cy);
    if (control->rightToLeft) control->place = Mirrored(control->place, dialog->place.Width());
    DriverCreateControl(control);
    previous = control;
  }
  return dialog;
}

// Takes the dialog and its controls away, with anything still waiting for
// them; keys typed into the dialog go to its owner.
void DestroyDialog(std::unique_ptr<Window> dialog) {
  for (auto &c : g_controls) {
    if (c->parent != dialog.get()) continue;
    c->destroyed = true;
    ForgetInputFor(c.get());
    ForgetWindow(c.get());
    DriverDestroyWindow(c.get());
  }
  std::erase_if(g_controls, [&](const auto &c) { return c->parent == dialog.get(); });
  dialog->destroyed = true;
  ForgetInputFor(dialog.get());
  ForgetWindow(dialog.get());
  DriverDestroyWindow(dialog.get());
}

// The dialog's controls that Tab stops at, in tab order.
std::vector<Window *> TabStops(const Window *dialog) {
  std::vector<Window *> stops;
  for (auto &c : g_controls)
    if (c->parent == dialog && (c->style & WS_TABSTOP) && (c->style & WS_VISIBLE))
      stops.push_back(c.get());
  return stops;
}

// Focus that the dialog manager gives selects an edit field's whole text.
void GiveFocus(Window *control) {
  DriverSetFocus(control);
  if (control->IsEdit()) ControlMessage(control, EM_SETSEL, 0, LPARAM(-1));
}

void MoveFocus(Window *dialog, bool back) {
  const std::vector<Window *> stops = TabStops(dialog);
  if (stops.empty()) return;
  const auto at = std::find(stops.begin(), stops.end(), DriverFocusedControl());
  const int n = int(stops.size()), i = int(at - stops.begin());
  const int next = at == stops.end() ? (back ? n - 1 : 0) : (i + (back ? n - 1 : 1)) % n;
  GiveFocus(stops[std::size_t(next)]);
}

Window *DefaultButton(const Window *dialog) {
  for (auto &c : g_controls)
    if (c->parent == dialog && c->IsDefaultButton()) return c.get();
  return nullptr;
}

MSG Command(Window *dialog, int id, Window *from) {
  return MSG{dialog, WM_COMMAND, WPARAM(WORD(id)) | WPARAM(BN_CLICKED) << 16, LPARAM(from)};
}

// A key that came without an event of the driver's to hand on (typed at
// the page before its dialog had the keyboard, or by a test) does what the
// control would: the space bar presses a button, a character goes into a
// field that is not read-only. False for any other key.
bool ControlKey(Window *control, const KeyInput &key) {
  if (!control || key.native || key.release || key.ctrl || key.alt) return false;
  if (control->control == ControlKind::Button && key.vk == VK_SPACE) {
    ButtonPressed(control);
    return true;
  }
  if (!control->IsEdit() || !key.character) return false;
  TypeIntoField(control, Utf8(key.character));
  return true;
}

// The dialog of a template, in its own loop until EndDialog; its result.
INT_PTR RunDialog(const DialogTemplate &t, HWND owner, DLGPROC proc, LPARAM init) {
  if (!proc) return -1;
  std::unique_ptr<Window> dialog = BuildDialog(t, owner, proc);
  Window *dlg = dialog.get();
  g_dialogLoops.push_back(dlg);
  // A procedure that returns non-zero leaves the focus to the dialog manager.
  if (proc(dlg, WM_INITDIALOG, 0, init)) {
    const std::vector<Window *> stops = TabStops(dlg);
    if (!stops.empty()) GiveFocus(stops.front());
  }
  if (!dlg->ended) DriverShowDialog(dlg);
  while (!dlg->ended) {
    MSG m;
    if (!GetMessageA(&m, nullptr, 0, 0)) {
      PostQuitMessage(int(m.wParam));  // the program's own loop must see it too
      break;
    }
    TranslateMessage(&m);
    DispatchMessageA(&m);
  }
  g_dialogLoops.pop_back();
  const INT_PTR result = dlg->result;
  DestroyDialog(std::move(dialog));
  if (owner && !owner->destroyed) DriverActivateWindow(owner);
  return result;
}

}  // namespace

Window *OpenDialog() {
  return g_dialogLoops.empty() || g_dialogLoops.back()->ended ? nullptr : g_dialogLoops.back();
}

bool IsControl(const Window *w) {
  return w && std::any_of(g_controls.begin(), g_controls.end(),
                          [w](const auto &c) { return c.get() == w; });
}

bool DialogKey(Window *dialog, const KeyInput &key, MSG *msg) {
  Window *focus = DriverFocusedControl();
  if (!IsControl(focus) || focus->parent != dialog) focus = nullptr;
  if (!key.release && !key.ctrl && !key.alt) {
    switch (key.vk) {
      case VK_TAB:
        MoveFocus(dialog, key.shift);
        return false;
      case VK_RETURN: {
        Window *button =
            focus && focus->control == ControlKind::Button ? focus : DefaultButton(dialog);
        *msg = Command(dialog, button ? button->id : IDOK, button);
        return true;
      }
      case VK_ESCAPE:
        *msg = Command(dialog, IDCANCEL, nullptr);
        return true;
    }
  }
  if (!ControlKey(focus, key)) DriverDeliverKey(focus ? focus : dialog, key);
  return false;
}

void ButtonPressed(Window *button) {
  if (!IsControl(button) || button->parent->ended) return;
  const MSG m = Command(button->parent, button->id, button);
  PostMessageA(m.hwnd, m.message, m.wParam, m.lParam);
}

INT_PTR DialogBoxParamA(HINSTANCE, LPCSTR tmpl, HWND owner, DLGPROC proc, LPARAM init) {
  const auto id = reinterpret_cast<std::uintptr_t>(tmpl);
  const DialogTemplate *t = id <= 0xFFFF ? FindDialogTemplate(int(id)) : nullptr;
  return t ? RunDialog(*t, owner, proc, init) : -1;
}

INT_PTR DialogBoxIndirectForTesting(const DialogTemplate &t, HWND owner, DLGPROC proc,
                                    LPARAM init) {
  return RunDialog(t, owner, proc, init);
}

BOOL EndDialog(HWND dlg, INT_PTR result) {
  if (!dlg || dlg->kind != WindowKind::Dialog || dlg->ended) return 0;
  dlg->ended = true;
  dlg->result = result;
  DriverHideDialog(dlg);
  // Wakes the dialog's loop, should it be waiting: it was ended from outside
  // any message it took.
  PostMessageA(dlg, WM_NULL, 0, 0);
  return 1;
}

HWND GetDlgItem(HWND dlg, int id) {
  for (auto &c : g_controls)
    if (c->parent == dlg && c->id == id) return c.get();
  return nullptr;
}

int GetDlgCtrlID(HWND control) { return IsControl(control) ? control->id : 0; }

HWND SetFocus(HWND hwnd) {
  Window *previous = DriverFocusedControl();
  if (IsControl(hwnd)) DriverSetFocus(hwnd);
  return IsControl(previous) ? previous : nullptr;
}

// A field with no static text before it is named by its dialog's caption.
std::string AccessibleName(const Window *control) {
  return control->label ? control->label->text : control->parent->text;
}

// EM_SETSEL, in the program's offsets: end -1 (or past the end) runs to the
// end of the text; start -1 drops the selection.
LRESULT ControlMessage(Window *control, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != EM_SETSEL || !IsControl(control) || !control->IsEdit()) return 0;
  const std::string text = DriverEditText(control);
  const int length = int(ProgramLines(text).size());
  int start = int(wParam), end = int(lParam);
  if (end < 0 || end > length) end = length;
  if (start >= 0) start = std::min(start, length);
  DriverSelectText(control, start < 0 ? -1 : DriverOffset(text, start), DriverOffset(text, end));
  return 0;
}
