#include "dialogs/supporting_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::string kSeparator = "\r\n\r\n";

std::vector<std::string> Paragraphs() {
  const std::string text = SupportingText();
  std::vector<std::string> paragraphs;
  std::size_t start = 0;
  for (std::size_t at; (at = text.find(kSeparator, start)) != std::string::npos;
       start = at + kSeparator.size())
    paragraphs.push_back(text.substr(start, at - start));
  paragraphs.push_back(text.substr(start));
  return paragraphs;
}

}  // namespace

TEST(SupportingText, HoldsOnlyPrintableAsciiTabsAndLineBreaks) {
  std::string allowed = "\t\r\n";
  for (char c = 0x20; c <= 0x7E; ++c) allowed += c;
  EXPECT_EQ(SupportingText().find_first_not_of(allowed), std::string::npos);
}

// Fourteen paragraphs between thirteen empty lines, the formulas among them.
TEST(SupportingText, GivesTheFormulasWordForWordAndTheRangesTheDialogAccepts) {
  struct Case {
    int number;
    const char *text;
  };
  const Case cases[] = {
      {4, "\tEMF = 1 + Z/Zo,"},
      {5, "\twhere Z is the output impedance of the source."},
      {8, "\tR = 50 / VSWR = 50 * (1 - Rho) / (1 + Rho)"},
      {9, "and"},
      {10, "\tR = 50 * VSWR = 50 * (1 + Rho) / (1 - Rho)."},
  };
  std::vector<std::string> paragraphs = Paragraphs();
  ASSERT_EQ(paragraphs.size(), 14u);
  for (const std::string &paragraph : paragraphs) {
    SCOPED_TRACE(paragraph.substr(0, 40));
    EXPECT_FALSE(paragraph.empty());
    EXPECT_EQ(paragraph.find_first_of("\r\n"), std::string::npos);
  }
  for (const Case &c : cases) {
    SCOPED_TRACE(c.number);
    EXPECT_EQ(paragraphs[c.number - 1], c.text);
  }
  EXPECT_NE(paragraphs[0].find("10 to 400 ohms"), std::string::npos);
  EXPECT_NE(paragraphs[0].find("0.1 to 10000 ohms"), std::string::npos);
}
