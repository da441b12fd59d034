// An edit control's text as the program has it, lines ending in CR LF, and
// as drivers keep it, lines ending in LF.
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

// A line's end counts two in the program's offsets and one in the driver's;
// an offset between its CR and its LF falls after it.
int DriverOffset(const std::string &driver, int offset) {
  int position = 0;
  for (int counted = 0; position < int(driver.size()) && counted < offset; ++position)
    counted += driver[std::size_t(position)] == '\n' ? 2 : 1;
  return position;
}
