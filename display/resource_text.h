// The program's texts, from its resources in the user's language.
#pragma once

#include "dialogs/resource.h"
#include "model/fixed_format.h"
#include "platform/win.h"

constexpr int kResourceTextSize = 256;  // bytes, with the terminating zero
using ResourceText = char[kResourceTextSize];

// Loads the text `id` into `out`; returns its length in bytes.
int LoadResourceText(UINT id, ResourceText &out);
// Draws the text `id` at (x, y) as TextOutA does.
void WriteResourceText(HDC, int x, int y, UINT id);
// FormatText with the format `id`: a readout in the user's language.
template <typename... Values>
int FormatResourceText(char *out, int size, UINT id, Values... values) {
  ResourceText format;
  LoadResourceText(id, format);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
  return FormatText(out, size, format, values...);
#pragma GCC diagnostic pop
}
