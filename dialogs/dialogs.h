// The two modal dialogs and their resource identifiers.
#pragma once

#include "app/win.h"

constexpr int IDD_VALUES = 101;
constexpr int IDD_TEXT = 102;
constexpr int IDC_LOAD = 1000;
constexpr int IDC_TEXT = 1001;
constexpr int IDC_SOURCE = 1002;

INT_PTR ValuesDlgProc(HWND dlg, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR TextDlgProc(HWND dlg, UINT message, WPARAM wParam, LPARAM lParam);
