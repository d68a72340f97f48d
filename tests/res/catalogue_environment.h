// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The shipped languages (every po/LL.po the build found) and a player's
// environment that chooses one, for tests that run once per language.
// KAROBLEN_LANGUAGES ("de,fr,...") and KAROBLEN_LOCALE_DIR come from the build.
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "res/translation.h"

inline std::vector<std::string> ShippedLanguages() {
  std::vector<std::string> languages;
  std::istringstream list(KAROBLEN_LANGUAGES);
  for (std::string language; std::getline(list, language, ',');)
    if (!language.empty()) languages.push_back(language);
  return languages;
}

// Opens the catalogues as the game does under LANGUAGE=`language` (none
// when null) and LC_ALL=`lcAll`, with a locale that lets LANGUAGE speak.
inline void UseLanguageEnvironment(const char* language, const char* lcAll = nullptr) {
  if (language)
    setenv("LANGUAGE", language, 1);
  else
    unsetenv("LANGUAGE");
  if (lcAll)
    setenv("LC_ALL", lcAll, 1);
  else
    unsetenv("LC_ALL");
  setenv("LANG", "C.UTF-8", 1);
  res::OpenCatalogues(KAROBLEN_LOCALE_DIR);
}
