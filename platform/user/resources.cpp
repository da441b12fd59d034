#include "platform/user/resources.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

// "de_AT.UTF-8@euro" names the language "de_AT".
std::string_view WithoutCodeset(std::string_view name) {
  return name.substr(0, std::min(name.find('.'), name.find('@')));
}

const ResourceLanguage *Match(std::span<const ResourceLanguage> languages, std::string_view name) {
  name = WithoutCodeset(name);
  if (name == "zh_HK" || name == "zh_MO") name = "zh_TW";
  const std::string_view tongue = name.substr(0, name.find('_'));
  if (tongue.empty()) return nullptr;
  for (std::string_view wanted : {name, tongue})
    for (const ResourceLanguage &l : languages)
      if (l.locale == wanted) return &l;
  for (const ResourceLanguage &l : languages)
    if (std::string_view(l.locale).starts_with(std::string(tongue) + '_')) return &l;
  return nullptr;
}

bool Set(const char *v) { return v && *v; }

const char *Env(const char *name) { return std::getenv(name); }

}  // namespace

const ResourceLanguage &ChooseLanguage(std::span<const ResourceLanguage> languages,
                                       const char *language, const char *lcAll,
                                       const char *lcMessages, const char *lang) {
  const char *locale = Set(lcAll) ? lcAll : Set(lcMessages) ? lcMessages : Set(lang) ? lang : "C";
  const std::string_view base = WithoutCodeset(locale);
  if (base != "C" && base != "POSIX" && Set(language)) {
    std::string_view list = language;
    while (!list.empty()) {
      const std::size_t colon = std::min(list.find(':'), list.size());
      if (const ResourceLanguage *l = Match(languages, list.substr(0, colon))) return *l;
      list.remove_prefix(std::min(colon + 1, list.size()));
    }
  }
  const ResourceLanguage *l = Match(languages, locale);
  return l ? *l : languages.front();
}

const ResourceLanguage &UserResources() {
  static const ResourceLanguage &chosen = ChooseLanguage(
      g_resourceLanguages, Env("LANGUAGE"), Env("LC_ALL"), Env("LC_MESSAGES"), Env("LANG"));
  return chosen;
}

const DialogTemplate *FindDialogTemplate(int id) {
  for (const ResourceLanguage *l : {&UserResources(), &g_resourceLanguages.front()})
    for (const DialogTemplate &t : l->dialogs)
      if (t.id == id) return &t;
  return nullptr;
}

LANGID GetUserDefaultUILanguage() { return UserResources().language; }

int LoadStringA(HINSTANCE, UINT id, LPSTR buf, int max) {
  if (!buf || max <= 0) return 0;
  for (const ResourceLanguage *l : {&UserResources(), &g_resourceLanguages.front()})
    for (const StringResource &s : l->strings) {
      if (s.id != int(id)) continue;
      int n = int(std::min(std::strlen(s.text), std::size_t(max - 1)));
      // A shortened text ends before a character, never inside one.
      while (n > 0 && n < int(std::strlen(s.text)) && (s.text[n] & 0xC0) == 0x80) --n;
      std::memcpy(buf, s.text, std::size_t(n));
      buf[n] = '\0';
      return n;
    }
  buf[0] = '\0';
  return 0;
}
