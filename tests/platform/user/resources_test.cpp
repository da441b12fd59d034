// Which of the program's languages a user gets, and its texts.
#include "platform/user/resources.h"

#include <gtest/gtest.h>

#include <string>

#include "dialogs/resource.h"

TEST(Resources, TheLanguageIsChosenAsGettextReadsTheEnvironment) {
  const ResourceLanguage languages[] = {{"en", 0x0409, {}, {}},    {"de", 0x07, {}, {}},
                                        {"pt_BR", 0x0416, {}, {}}, {"zh_CN", 0x0804, {}, {}},
                                        {"zh_TW", 0x0404, {}, {}}, {"fr", 0x0c, {}, {}}};
  struct Case {
    const char *language, *lcAll, *lcMessages, *lang, *chosen;
  };
  const Case cases[] = {
      {nullptr, nullptr, nullptr, nullptr, "en"},
      {nullptr, nullptr, nullptr, "de_DE.UTF-8", "de"},
      {nullptr, nullptr, nullptr, "de_AT.UTF-8@euro", "de"},
      {nullptr, nullptr, nullptr, "pt_PT.UTF-8", "pt_BR"},
      {nullptr, nullptr, nullptr, "zh_HK.UTF-8", "zh_TW"},
      {nullptr, nullptr, nullptr, "zh_SG.UTF-8", "zh_CN"},
      {nullptr, nullptr, nullptr, "ja_JP.UTF-8", "en"},
      {nullptr, "fr_FR.UTF-8", "de_DE.UTF-8", "ja_JP.UTF-8", "fr"},
      {nullptr, "", "de_DE.UTF-8", "fr_FR.UTF-8", "de"},
      {"ja:pt_BR:de", nullptr, nullptr, "fr_FR.UTF-8", "pt_BR"},
      {"ja:xx", nullptr, nullptr, "fr_FR.UTF-8", "fr"},
      {"fr_CA:fr", nullptr, nullptr, "fr_CA.UTF-8", "fr"},  // as the page asks
      {"zh_HK:en", nullptr, nullptr, "zh_HK.UTF-8", "zh_TW"},
      {"xx", nullptr, nullptr, "xx.UTF-8", "en"},
      {"de", "C.UTF-8", nullptr, nullptr, "en"},  // LANGUAGE means nothing in the C locale
      {"de", nullptr, nullptr, nullptr, "en"},
      {"", nullptr, nullptr, "de_DE", "de"},
      {nullptr, nullptr, nullptr, "POSIX", "en"},
      {nullptr, nullptr, nullptr, "_DE", "en"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(std::string(c.language ? c.language : "-") + " " + (c.lang ? c.lang : "-"));
    EXPECT_STREQ(ChooseLanguage(languages, c.language, c.lcAll, c.lcMessages, c.lang).locale,
                 c.chosen);
  }
}

// The tests run in English.
TEST(Resources, LoadStringGivesTheTextOrWhatFitsOrNothing) {
  char text[8] = "x";
  EXPECT_EQ(LoadStringA(nullptr, 99999, text, sizeof text), 0);
  EXPECT_STREQ(text, "");
  EXPECT_EQ(LoadStringA(nullptr, IDS_DECIMAL_SIGN, text, sizeof text), 1);
  EXPECT_STREQ(text, ".");
  EXPECT_EQ(LoadStringA(nullptr, IDS_STANDING_WAVE, text, sizeof text), 7);
  EXPECT_STREQ(text, "Standin");
  EXPECT_EQ(GetUserDefaultUILanguage(), MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
}
