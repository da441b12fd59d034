#include "display/resource_text.h"

namespace {

bool g_readsFromRight = false;

}  // namespace

void SetReadingFromRight(bool fromRight) { g_readsFromRight = fromRight; }

int LoadResourceText(UINT id, ResourceText &out) {
  return LoadStringA(GetModuleHandleA(nullptr), id, out, kResourceTextSize);
}

void WriteText(HDC hdc, int x, int y, std::string_view text) {
  WCHAR wide[kResourceTextSize];
  const int length =
      MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), wide, kResourceTextSize);
  ExtTextOutW(hdc, x, y, g_readsFromRight ? ETO_RTLREADING : 0, nullptr, wide, UINT(length),
              nullptr);
}

void WriteResourceText(HDC hdc, int x, int y, UINT id) {
  ResourceText text;
  WriteText(hdc, x, y, {text, std::size_t(LoadResourceText(id, text))});
}
