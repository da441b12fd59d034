#include "display/resource_text.h"

int LoadResourceText(UINT id, ResourceText &out) {
  return LoadStringA(GetModuleHandleA(nullptr), id, out, kResourceTextSize);
}

void WriteResourceText(HDC hdc, int x, int y, UINT id) {
  ResourceText text;
  TextOutA(hdc, x, y, text, LoadResourceText(id, text));
}
