// The value entry dialog: the load and source resistances, clamped on OK.
#include "dialogs/dialogs.h"
#include "dialogs/value_text.h"
#include "model/resistances.h"

namespace {

constexpr int kFieldTextSize = 160;  // characters read from a field, with the terminating zero
constexpr double kMinLoadOhms = 0.1;
constexpr double kMaxLoadOhms = 10000.0;
constexpr double kMinSourceOhms = 10.0;
constexpr double kMaxSourceOhms = 400.0;

void ShowValue(HWND dlg, int id, double ohms) {
  SetWindowTextA(GetDlgItem(dlg, id), FormatShortest(ohms).c_str());
}

double ReadValue(HWND dlg, int id) {
  char text[kFieldTextSize];
  GetWindowTextA(GetDlgItem(dlg, id), text, kFieldTextSize);
  return ReadDecimalNumber(text);
}

// "Unless at least the minimum" also catches a value that is not a number.
double Clamp(double ohms, double minimum, double maximum) {
  if (!(ohms >= minimum)) ohms = minimum;
  if (ohms > maximum) ohms = maximum;
  return ohms;
}

}  // namespace

INT_PTR CALLBACK ValuesDlgProc(HWND dlg, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      SetFocus(GetDlgItem(dlg, IDC_LOAD));
      ShowValue(dlg, IDC_LOAD, g_loadOhms);
      ShowValue(dlg, IDC_SOURCE, g_sourceOhms);
      SendMessageA(GetDlgItem(dlg, IDC_LOAD), EM_SETSEL, 0, -1);
      return 0;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
          g_loadOhms = Clamp(ReadValue(dlg, IDC_LOAD), kMinLoadOhms, kMaxLoadOhms);
          g_sourceOhms = Clamp(ReadValue(dlg, IDC_SOURCE), kMinSourceOhms, kMaxSourceOhms);
          EndDialog(dlg, 1);
          return 0;
        case IDCANCEL:
          EndDialog(dlg, 0);
          return 0;
      }
      return 0;
  }
  return 0;
}
