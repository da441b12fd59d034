#include "platform/gdi/utf8.h"

namespace {

bool Continues(unsigned char b) { return (b & 0xC0) == 0x80; }

}  // namespace

// A lead byte says how many bytes follow and bounds the second one, which
// rules out overlong forms, surrogates and code points past U+10FFFF.
char32_t NextCharacter(std::string_view text, std::size_t &at) {
  const auto byte = [&](std::size_t i) { return (unsigned char)text[i]; };
  const unsigned char lead = byte(at++);
  if (lead < 0x80) return lead;
  int more = 0;
  char32_t c = 0;
  unsigned char low = 0x80, high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    more = 1, c = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    more = 2, c = lead & 0x0F;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    more = 3, c = lead & 0x07;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return kReplacementCharacter;
  }
  for (int i = 0; i < more; ++i) {
    if (at >= text.size()) return kReplacementCharacter;
    const unsigned char b = byte(at);
    if (b < low || b > high) return kReplacementCharacter;
    low = 0x80, high = 0xBF;
    c = c << 6 | (b & 0x3F);
    ++at;
  }
  return c;
}

int EncodeUtf8(char32_t c, char out[4]) {
  if (c > 0x10FFFF || (c >= 0xD800 && c < 0xE000)) c = kReplacementCharacter;
  const int n = c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
  static constexpr unsigned char kLead[] = {0, 0, 0xC0, 0xE0, 0xF0};
  out[0] = char(n == 1 ? c : kLead[n] | (c >> (6 * (n - 1))));
  for (int i = 1; i < n; ++i) out[i] = char(0x80 | ((c >> (6 * (n - 1 - i))) & 0x3F));
  return n;
}

std::string Utf8(char32_t c) {
  char bytes[4];
  return std::string(bytes, std::size_t(EncodeUtf8(c, bytes)));
}

std::size_t PreviousCharacter(std::string_view text, std::size_t at) {
  if (at == 0) return 0;
  std::size_t start = at - 1;
  while (start > 0 && at - start < 4 && Continues((unsigned char)text[start])) --start;
  std::size_t end = start;
  NextCharacter(text, end);
  return end == at ? start : at - 1;
}

int CountCharacters(std::string_view text) {
  int n = 0;
  for (std::size_t at = 0; at < text.size(); ++n) NextCharacter(text, at);
  return n;
}
