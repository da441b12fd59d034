#include "display/resource_text.h"

int LoadResourceText(UINT id, ResourceText &out) {
  return LoadStringA(GetModuleHandleA(nullptr), id, out, kResourceTextSize);
}

void WriteText(HDC hdc, int x, int y, std::string_view text) {
  WCHAR wide[kResourceTextSize];
  const int length =
      MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), wide, kResourceTextSize);
  TextOutW(hdc, x, y, wide, length);
}

void WriteResourceText(HDC hdc, int x, int y, UINT id) {
  ResourceText text;
  WriteText(hdc, x, y, {text, std::size_t(LoadResourceText(id, text))});
}
