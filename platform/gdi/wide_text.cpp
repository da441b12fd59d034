// The program's Unicode calls: its UTF-8 as UTF-16, and UTF-16 drawn as the
// UTF-8 that TextOutA draws.
#include <string_view>

#include "platform/gdi/utf8.h"
#include "platform/win.h"

namespace {

// Enough for any text the program draws; a longer one is cut at a character.
constexpr int kMaxDrawnBytes = 1024;

}  // namespace

int MultiByteToWideChar(UINT codePage, DWORD, LPCSTR text, int length, WCHAR *out, int max) {
  if (codePage != CP_UTF8 || !text || max < 0) return 0;
  const std::string_view bytes(
      text, length < 0 ? std::char_traits<char>::length(text) + 1 : std::size_t(length));
  int count = 0;
  for (std::size_t at = 0; at < bytes.size();) {
    const char32_t c = NextCharacter(bytes, at);
    const int units = c > 0xFFFF ? 2 : 1;
    if (max > 0 && count + units > max) return 0;  // too small, as Windows says
    if (max > 0 && units == 2) {
      out[count] = WCHAR(0xD800 + ((c - 0x10000) >> 10));
      out[count + 1] = WCHAR(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else if (max > 0) {
      out[count] = WCHAR(c);
    }
    count += units;
  }
  return count;
}

BOOL TextOutW(HDC dc, int x, int y, LPCWSTR text, int length) {
  if (!text || length <= 0) return 0;
  char bytes[kMaxDrawnBytes];
  int count = 0;
  for (int i = 0; i < length; ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < length && text[i + 1] >= 0xDC00 &&
        text[i + 1] < 0xE000)
      c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
    else if (c >= 0xD800 && c < 0xE000)
      c = kReplacementCharacter;  // an unpaired surrogate
    char encoded[4];
    const int n = EncodeUtf8(c, encoded);
    if (count + n > kMaxDrawnBytes) break;
    for (int k = 0; k < n; ++k) bytes[count++] = encoded[k];
  }
  return TextOutA(dc, x, y, bytes, count);
}

// Reading from the right is the alignment's TA_RTLREADING for this one text.
BOOL ExtTextOutW(HDC dc, int x, int y, UINT options, const RECT *, LPCWSTR text, UINT length,
                 const INT *) {
  if (!(options & ETO_RTLREADING)) return TextOutW(dc, x, y, text, int(length));
  const UINT align = SetTextAlign(dc, TA_RTLREADING);
  SetTextAlign(dc, align | TA_RTLREADING);
  const BOOL drawn = TextOutW(dc, x, y, text, int(length));
  SetTextAlign(dc, align);
  return drawn;
}
