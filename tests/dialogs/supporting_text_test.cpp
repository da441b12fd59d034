#include "dialogs/supporting_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::string kSeparator = "\r\n\r\n";

std::vector<std::string> Paragraphs() {
  std::string text = kSupportingText;
  std::vector<std::string> paragraphs;
  std::size_t start = 0;
  for (std::size_t at; (at = text.find(kSeparator, start)) != std::string::npos;
       start = at + kSeparator.size())
    paragraphs.push_back(text.substr(start, at - start));
  paragraphs.push_back(text.substr(start));
  return paragraphs;
}

}  // namespace

TEST(SupportingText, HasFourteenParagraphsBetweenThirteenEmptyLines) {
  std::string text = kSupportingText;
  int separators = 0;
  for (std::size_t at = 0; (at = text.find(kSeparator, at)) != std::string::npos;
       at += kSeparator.size())
    ++separators;
  EXPECT_EQ(separators, 13);
  std::vector<std::string> paragraphs = Paragraphs();
  ASSERT_EQ(paragraphs.size(), 14u);
  for (std::size_t i = 0; i < paragraphs.size(); ++i) {
    SCOPED_TRACE(i + 1);
    EXPECT_FALSE(paragraphs[i].empty());
    EXPECT_EQ(paragraphs[i].find_first_of("\r\n"), std::string::npos);
  }
}

TEST(SupportingText, HoldsOnlyPrintableAsciiTabsAndLineBreaks) {
  for (const char *p = kSupportingText; *p; ++p) {
    unsigned char c = static_cast<unsigned char>(*p);
    SCOPED_TRACE(p - kSupportingText);
    EXPECT_TRUE((c >= 0x20 && c <= 0x7E) || c == '\t' || c == '\r' || c == '\n');
  }
}

TEST(SupportingText, GivesTheFormulasWordForWord) {
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
  for (const Case &c : cases) {
    SCOPED_TRACE(c.number);
    EXPECT_EQ(paragraphs[c.number - 1], c.text);
  }
}

TEST(SupportingText, IndentsOnlyTheFourFormulaLines) {
  std::vector<std::string> paragraphs = Paragraphs();
  ASSERT_EQ(paragraphs.size(), 14u);
  for (std::size_t i = 0; i < paragraphs.size(); ++i) {
    int number = int(i) + 1;
    SCOPED_TRACE(number);
    bool indented = number == 4 || number == 5 || number == 8 || number == 10;
    EXPECT_EQ(paragraphs[i].find('\t'), indented ? 0 : std::string::npos);
  }
}

TEST(SupportingText, StatesTheRangesTheValueDialogAccepts) {
  std::string first = Paragraphs().front();
  EXPECT_NE(first.find("10 to 400 ohms"), std::string::npos);
  EXPECT_NE(first.find("0.1 to 10000 ohms"), std::string::npos);
  EXPECT_EQ(first.find("200"), std::string::npos);
}

TEST(SupportingText, KeepsTheFiguresOfItsExamples) {
  struct Case {
    int number;
    const char *figure;
  };
  const Case cases[] = {
      {2, "50 ohms"},  {3, "+13 dBm"}, {3, "1 V"},    {6, "2 V"}, {6, "3 V"},
      {6, "100 ohms"}, {11, "2.0"},    {11, "0.333"}, {11, "25"}, {11, "100 ohms"},
  };
  std::vector<std::string> paragraphs = Paragraphs();
  ASSERT_EQ(paragraphs.size(), 14u);
  for (const Case &c : cases) {
    SCOPED_TRACE(std::to_string(c.number) + " " + c.figure);
    EXPECT_NE(paragraphs[c.number - 1].find(c.figure), std::string::npos);
  }
}
