// The window-system calls the program is written against. On Windows this is
// the system's own header; elsewhere the same names, values and effects are
// declared here and implemented in two halves, as USER32 and GDI32 are: the
// window manager in platform/user/ and the drawing core in platform/gdi/,
// over a driver for the system (platform/qt/, platform/web/, or
// platform/headless/ for tests). No toolkit's types appear in this header.
#pragma once

#ifdef _WIN32
#include <windows.h>
#else

#include <cstdint>

using BOOL = int;
using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using LONG = std::int32_t;
using UINT = unsigned int;
using INT = int;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using INT_PTR = std::intptr_t;
using COLORREF = std::uint32_t;  // 0x00BBGGRR
using LPSTR = char *;
using LPCSTR = const char *;
using LANGID = WORD;
using WCHAR = char16_t;  // UTF-16, as on Windows
using LPCWSTR = const WCHAR *;

struct Window;
struct DeviceContext;
struct GdiObject;
struct Module;
using HWND = Window *;
using HDC = DeviceContext *;
using HGDIOBJ = GdiObject *;
using HPEN = GdiObject *;
using HFONT = GdiObject *;
using HBRUSH = GdiObject *;
using HINSTANCE = Module *;
using HICON = const void *;
using HCURSOR = const void *;
using HANDLE = void *;

// Calling conventions mean nothing here.
#define WINAPI
#define CALLBACK

using WNDPROC = LRESULT(CALLBACK *)(HWND, UINT, WPARAM, LPARAM);
using DLGPROC = INT_PTR(CALLBACK *)(HWND, UINT, WPARAM, LPARAM);

struct POINT {
  LONG x, y;
};
struct RECT {
  LONG left, top, right, bottom;
};
struct MSG {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};
struct PAINTSTRUCT {
  HDC hdc;
  BOOL fErase;
  RECT rcPaint;
};
struct WNDCLASSEXA {
  UINT cbSize, style;
  WNDPROC lpfnWndProc;
  int cbClsExtra, cbWndExtra;
  HINSTANCE hInstance;
  HICON hIcon;
  HCURSOR hCursor;
  HBRUSH hbrBackground;
  LPCSTR lpszMenuName, lpszClassName;
  HICON hIconSm;
};
struct LOGFONTA {
  LONG lfHeight, lfWidth, lfEscapement, lfOrientation, lfWeight;
  BYTE lfItalic, lfUnderline, lfStrikeOut, lfCharSet;
  BYTE lfOutPrecision, lfClipPrecision, lfQuality, lfPitchAndFamily;
  char lfFaceName[32];
};
struct TEXTMETRICA {
  LONG tmHeight, tmAscent, tmDescent, tmInternalLeading, tmExternalLeading;
  LONG tmAveCharWidth, tmMaxCharWidth;
};

constexpr COLORREF RGB(int r, int g, int b) {
  return COLORREF(r & 0xFF) | COLORREF(g & 0xFF) << 8 | COLORREF(b & 0xFF) << 16;
}
constexpr int GetRValue(COLORREF c) { return int(c & 0xFF); }
constexpr int GetGValue(COLORREF c) { return int(c >> 8 & 0xFF); }
constexpr int GetBValue(COLORREF c) { return int(c >> 16 & 0xFF); }
constexpr WORD LOWORD(std::uintptr_t v) { return WORD(v & 0xFFFF); }
constexpr WORD HIWORD(std::uintptr_t v) { return WORD(v >> 16 & 0xFFFF); }
constexpr LPARAM MAKELPARAM(int lo, int hi) {
  return LPARAM((DWORD(lo) & 0xFFFF) | (DWORD(hi) & 0xFFFF) << 16);
}
inline LPCSTR MAKEINTRESOURCEA(int id) {
  return reinterpret_cast<LPCSTR>(std::uintptr_t(WORD(id)));
}

// Messages.
constexpr UINT WM_NULL = 0x0000, WM_CREATE = 0x0001, WM_DESTROY = 0x0002, WM_SIZE = 0x0005;
constexpr UINT WM_PAINT = 0x000F, WM_CLOSE = 0x0010, WM_QUIT = 0x0012;
constexpr UINT WM_KEYDOWN = 0x0100, WM_KEYUP = 0x0101, WM_CHAR = 0x0102;
constexpr UINT WM_SYSKEYDOWN = 0x0104, WM_SYSKEYUP = 0x0105;
constexpr UINT WM_INITDIALOG = 0x0110, WM_COMMAND = 0x0111, WM_TIMER = 0x0113;
constexpr UINT EM_SETSEL = 0x00B1;

// Virtual keys.
constexpr int VK_BACK = 8, VK_TAB = 9, VK_RETURN = 13, VK_ESCAPE = 27, VK_SPACE = 32, VK_F1 = 112,
              VK_F2 = 113, VK_F3 = 114, VK_F10 = 121;

// Window and dialog styles.
constexpr DWORD WS_OVERLAPPEDWINDOW = 0x00CF0000, WS_POPUP = 0x80000000, WS_CHILD = 0x40000000;
constexpr DWORD WS_VISIBLE = 0x10000000, WS_CAPTION = 0x00C00000, WS_BORDER = 0x00800000;
constexpr DWORD WS_SYSMENU = 0x00080000, WS_VSCROLL = 0x00200000, WS_GROUP = 0x00020000;
constexpr DWORD WS_TABSTOP = 0x00010000, DS_SETFONT = 0x40, DS_MODALFRAME = 0x80;
constexpr DWORD WS_EX_LAYOUTRTL = 0x00400000;  // a mirrored window: its x runs from the right
constexpr DWORD SS_LEFT = 0, ES_MULTILINE = 0x4, ES_AUTOHSCROLL = 0x80, ES_READONLY = 0x800;
constexpr DWORD BS_DEFPUSHBUTTON = 0x1;
constexpr UINT CS_VREDRAW = 0x1, CS_HREDRAW = 0x2;
constexpr int SW_SHOWDEFAULT = 10, SM_CXFULLSCREEN = 16;

// Message box.
constexpr UINT MB_RETRYCANCEL = 0x5, MB_ICONEXCLAMATION = 0x30;
constexpr int IDOK = 1, IDCANCEL = 2, IDRETRY = 4;

// Drawing modes and objects.
constexpr int R2_NOTXORPEN = 10, R2_COPYPEN = 13;
constexpr UINT TA_LEFT = 0, TA_TOP = 0, TA_RIGHT = 2, TA_CENTER = 6, TA_RTLREADING = 256;
constexpr UINT ETO_RTLREADING = 0x80;  // the text reads from the right
constexpr int TRANSPARENT = 1, OPAQUE = 2, PS_SOLID = 0, WHITE_BRUSH = 0;

inline const LPCSTR IDI_APPLICATION = MAKEINTRESOURCEA(32512);
inline const LPCSTR IDC_ARROW = MAKEINTRESOURCEA(32512);

// Windows, the message queue and the timer.
HICON LoadIconA(HINSTANCE, LPCSTR name);
HCURSOR LoadCursorA(HINSTANCE, LPCSTR name);
WORD RegisterClassExA(const WNDCLASSEXA *cls);
// Sends WM_CREATE, then WM_SIZE with the client size; the window is hidden.
HWND CreateWindowExA(DWORD exStyle, LPCSTR cls, LPCSTR title, DWORD style, int x, int y, int w,
                     int h, HWND parent, void *menu, HINSTANCE, void *param);
BOOL ShowWindow(HWND, int cmd);
BOOL UpdateWindow(HWND);  // sends WM_PAINT at once if anything is invalid
BOOL MoveWindow(HWND, int x, int y, int w, int h, BOOL repaint);
BOOL DestroyWindow(HWND);  // sends WM_DESTROY
BOOL GetClientRect(HWND, RECT *);
BOOL InvalidateRect(HWND, const RECT *rect, BOOL erase);
BOOL GetUpdateRect(HWND, RECT *rect, BOOL erase);  // non-zero while a WM_PAINT is due
// Blocks until a message is there; WM_PAINT and WM_TIMER come only when
// nothing else is queued, and each is one message however often it fell due.
BOOL GetMessageA(MSG *, HWND filter, UINT first, UINT last);
BOOL TranslateMessage(const MSG *);
LRESULT DispatchMessageA(const MSG *);
LRESULT SendMessageA(HWND, UINT, WPARAM, LPARAM);
BOOL PostMessageA(HWND, UINT, WPARAM, LPARAM);
void PostQuitMessage(int code);
// WM_CLOSE destroys the window; WM_SYSKEYDOWN with Alt+F4 closes it.
LRESULT DefWindowProcA(HWND, UINT, WPARAM, LPARAM);
UINT SetTimer(HWND, UINT id, UINT ms, void *callback);  // 0 when refused
BOOL KillTimer(HWND, UINT id);
int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
int GetSystemMetrics(int index);
HINSTANCE GetModuleHandleA(LPCSTR);

// Languages. Every text crossing these calls is UTF-8, as on Windows with
// UTF-8 as the process's code page. The program's resources come in the
// user's language where its scripts have one, else in English.
constexpr LANGID MAKELANGID(int primary, int sub) { return LANGID((sub << 10) | primary); }
constexpr int PRIMARYLANGID(LANGID id) { return id & 0x3ff; }
constexpr int SUBLANGID(LANGID id) { return id >> 10; }
constexpr int LANG_NEUTRAL = 0x00, LANG_CHINESE = 0x04, LANG_ENGLISH = 0x09, LANG_JAPANESE = 0x11,
              LANG_KOREAN = 0x12;
constexpr int SUBLANG_NEUTRAL = 0x00, SUBLANG_CHINESE_TRADITIONAL = 0x01,
              SUBLANG_CHINESE_SIMPLIFIED = 0x02, SUBLANG_ENGLISH_US = 0x01;
LANGID GetUserDefaultUILanguage();
// The string `id` of the resources, at most max - 1 bytes and a terminating
// zero; the count written, 0 when there is no such string.
int LoadStringA(HINSTANCE, UINT id, LPSTR buf, int max);
// UTF-8 to UTF-16 (CP_UTF8 only): at most `max` units, a sequence that is not
// UTF-8 as U+FFFD; the units written, or needed when max is 0.
constexpr UINT CP_UTF8 = 65001;
int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR text, int length, WCHAR *out, int max);

// Dialogs.
INT_PTR DialogBoxParamA(HINSTANCE, LPCSTR tmpl, HWND owner, DLGPROC proc, LPARAM init);
BOOL EndDialog(HWND dlg, INT_PTR result);
HWND GetDlgItem(HWND dlg, int id);
int GetDlgCtrlID(HWND control);
HWND SetFocus(HWND);
BOOL SetWindowTextA(HWND, LPCSTR);
int GetWindowTextA(HWND, LPSTR buf, int max);  // at most max - 1 characters
// Data of the program's own attached to a window by name; null when none is.
BOOL SetPropA(HWND, LPCSTR name, HANDLE data);
HANDLE GetPropA(HWND, LPCSTR name);
HANDLE RemovePropA(HWND, LPCSTR name);  // what was attached

// Device contexts and drawing on the window's persistent screen image.
HDC GetDC(HWND);
int ReleaseDC(HWND, HDC);
HDC BeginPaint(HWND, PAINTSTRUCT *);  // erases the client area to white
BOOL EndPaint(HWND, const PAINTSTRUCT *);
HGDIOBJ SelectObject(HDC, HGDIOBJ);
BOOL MoveToEx(HDC, int x, int y, POINT *old);
BOOL LineTo(HDC, int x, int y);
BOOL GetCurrentPositionEx(HDC, POINT *);
int SetROP2(HDC, int mode);  // returns the previous mode
COLORREF SetPixel(HDC, int x, int y, COLORREF);
COLORREF GetPixel(HDC, int x, int y);
BOOL TextOutA(HDC, int x, int y, LPCSTR text, int length);
BOOL TextOutW(HDC, int x, int y, LPCWSTR text, int length);
// Takes ETO_RTLREADING of the options; no clipping rectangle or spacing.
BOOL ExtTextOutW(HDC, int x, int y, UINT options, const RECT *, LPCWSTR text, UINT length,
                 const INT *dx);
UINT SetTextAlign(HDC, UINT align);
COLORREF SetTextColor(HDC, COLORREF);
int SetBkMode(HDC, int mode);
BOOL Ellipse(HDC, int left, int top, int right, int bottom);
// Counterclockwise from the ray through (xs, ys) to the ray through (xe, ye).
BOOL Arc(HDC, int left, int top, int right, int bottom, int xs, int ys, int xe, int ye);
HPEN CreatePen(int style, int width, COLORREF);
HFONT CreateFontIndirectA(const LOGFONTA *);  // positive height: cell height
BOOL GetTextMetricsA(HDC, TEXTMETRICA *);
BOOL DeleteObject(HGDIOBJ);
HGDIOBJ GetStockObject(int index);

#endif  // _WIN32
