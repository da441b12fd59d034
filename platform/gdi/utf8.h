// The program's texts are UTF-8, as every A call takes them under code page
// UTF-8; read a character at a time as MultiByteToWideChar(CP_UTF8) reads
// them.
#pragma once

#include <string>
#include <string_view>

constexpr char32_t kReplacementCharacter = 0xFFFD;

// The character starting at `at`, which moves past it. An invalid or
// truncated sequence is U+FFFD, and `at` moves past its longest valid start,
// one byte at least.
char32_t NextCharacter(std::string_view, std::size_t &at);
// The character's UTF-8 bytes, written to `out`; how many (1 to 4). What is
// no character (a surrogate, past U+10FFFF) is written as U+FFFD.
int EncodeUtf8(char32_t, char out[4]);
std::string Utf8(char32_t);
// Where the character that ends at `at` starts, as NextCharacter reads the
// text: where a caret steps back to.
std::size_t PreviousCharacter(std::string_view, std::size_t at);
// How many characters the text holds.
int CountCharacters(std::string_view);
