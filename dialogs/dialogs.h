// The two modal dialogs; their templates are in dialogs/ondulane.rc.
#pragma once

#include "dialogs/resource.h"
#include "platform/win.h"

INT_PTR CALLBACK ValuesDlgProc(HWND dlg, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK TextDlgProc(HWND dlg, UINT message, WPARAM wParam, LPARAM lParam);
