// The program's texts, from its resources in the user's language, and how
// they are drawn.
#pragma once

#include <string_view>

#include "dialogs/resource.h"
#include "model/fixed_format.h"
#include "platform/win.h"

constexpr int kResourceTextSize = 256;  // bytes, with the terminating zero
using ResourceText = char[kResourceTextSize];

// Loads the text `id` into `out`; returns its length in bytes.
int LoadResourceText(UINT id, ResourceText &out);
// Whether the texts read from the right, as the language's do; from the
// left until set. A text keeps the place its alignment gives it.
void SetReadingFromRight(bool);
// Draws UTF-8 text at (x, y) as TextOutA would, as Unicode: GDI reads an A
// call's bytes in the system's code page even where UTF-8 is the process's.
void WriteText(HDC, int x, int y, std::string_view text);
// Draws the text `id` at (x, y).
void WriteResourceText(HDC, int x, int y, UINT id);
// FormatText with the format `id`: a readout in the user's language.
template <typename... Values>
int FormatResourceText(char *out, int size, UINT id, Values... values) {
  ResourceText format;
  LoadResourceText(id, format);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
#pragma GCC diagnostic ignored "-Wformat-security"
  return FormatText(out, size, format, values...);
#pragma GCC diagnostic pop
}
