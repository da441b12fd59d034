// An edit control's text as the program has it, lines ending in CR LF, and
// as drivers keep it, lines ending in LF.
#include "platform/gdi/utf8.h"
#include "platform/user/internal.h"

std::string DriverLines(const std::string &program) {
  std::string lines;
  for (std::size_t i = 0; i < program.size(); ++i)
    if (program.compare(i, 2, "\r\n") != 0) lines += program[i];
  return lines;
}

std::string ProgramLines(const std::string &driver) {
  std::string lines;
  for (std::size_t i = 0; i < driver.size(); ++i) {
    if (driver[i] == '\n' && (i == 0 || driver[i - 1] != '\r')) lines += '\r';
    lines += driver[i];
  }
  return lines;
}

// The program counts a character's UTF-8 bytes, a line's end two; the
// driver, as native controls do, a character's UTF-16 units, a line's end
// one. An offset inside a character or a line's end falls after it.
int DriverOffset(const std::string &driver, int offset) {
  int units = 0;
  for (std::size_t at = 0; at < driver.size() && offset > 0;) {
    const std::size_t from = at;
    const char32_t c = NextCharacter(driver, at);
    offset -= c == '\n' ? 2 : int(at - from);
    units += c > 0xFFFF ? 2 : 1;
  }
  return units;
}
