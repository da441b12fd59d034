// The supporting text dialog: the explanation in a read-only field.
#include "dialogs/dialogs.h"
#include "dialogs/supporting_text.h"

INT_PTR CALLBACK TextDlgProc(HWND dlg, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowTextA(GetDlgItem(dlg, IDC_TEXT), SupportingText().c_str());
      SetFocus(GetDlgItem(dlg, IDOK));
      return 0;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
          EndDialog(dlg, 1);
          return 0;
        // Escape and the close box close it too, as they do any dialog.
        case IDCANCEL:
          EndDialog(dlg, 0);
          return 0;
      }
      return 0;
  }
  return 0;
}
