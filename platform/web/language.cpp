// The language the program will take its resources in, asked by the page
// before the program starts, for the page's own words and faces: the
// program's rule, applied to the values the page puts in its environment.
#include "platform/user/resources.h"

extern "C" const char *web_language(const char *language, const char *lang) {
  return ChooseLanguage(g_resourceLanguages, language, nullptr, nullptr, lang).locale;
}
