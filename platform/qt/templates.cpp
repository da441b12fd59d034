// The program's dialog resources.
#include <iterator>

#include "dialogs/resource.h"
#include "platform/qt/internal.h"

namespace {

constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
constexpr DWORD kLabelStyle = WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT;
constexpr DWORD kValueFieldStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD kOkButtonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON;
constexpr DWORD kTextFieldStyle =
    WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_TABSTOP | ES_MULTILINE | ES_READONLY;

const DialogControl kValuesControls[] = {
    {"STATIC", IDC_LOAD_CAPTION, "Enter a value for the load resistance", 13, 24, 115, 8,
     kLabelStyle},
    {"EDIT", IDC_LOAD, "", 150, 22, 40, 14, kValueFieldStyle},
    {"STATIC", IDC_STATIC, "Enter a value for the source resistance", 13, 56, 114, 8, kLabelStyle},
    {"EDIT", IDC_SOURCE, "", 150, 52, 40, 14, kValueFieldStyle},
    {"BUTTON", IDOK, "OK", 77, 84, 50, 14, kOkButtonStyle},
};

const DialogControl kTextControls[] = {
    {"BUTTON", IDOK, "OK", 107, 126, 50, 14, kOkButtonStyle},
    {"EDIT", IDC_TEXT, "", 18, 17, 228, 99, kTextFieldStyle},
};

const DialogTemplate kTemplates[] = {
    {IDD_VALUES, kDialogStyle, 100, 70, 205, 116, "Load value", "MS Sans Serif", 10,
     kValuesControls, int(std::size(kValuesControls))},
    {IDD_TEXT, kDialogStyle, 100, 70, 264, 164, "Ondulane", "Photina Casual Black", 10,
     kTextControls, int(std::size(kTextControls))},
};

}  // namespace

const DialogTemplate *FindDialogTemplate(int id) {
  for (const DialogTemplate &t : kTemplates)
    if (t.id == id) return &t;
  return nullptr;
}
