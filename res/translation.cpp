// SPDX-License-Identifier: GPL-3.0-or-later
#include "res/translation.h"

#include <libintl.h>

#include <clocale>
#include <cstring>

namespace res {
namespace {

unsigned gGeneration = 0;

}  // namespace

void OpenCatalogues(const std::string& localeDir) {
  // A locale the system has not generated still leaves LANGUAGE to choose
  // the messages; the C library ignores LANGUAGE only under plain "C".
  if (!std::setlocale(LC_ALL, "")) std::setlocale(LC_ALL, "C.UTF-8");
  bindtextdomain(kTextDomain, localeDir.c_str());
  // The tables hand UTF-8 to the toolkit and the terminal whatever the
  // locale's own character set.
  bind_textdomain_codeset(kTextDomain, "UTF-8");
  // Setting the domain again makes the C library forget what it looked up
  // under the previous language.
  textdomain(textdomain(nullptr));
  ++gGeneration;
}

const char* Translate(std::string_view context, const char* english) {
  if (!NeedsTranslation(english)) return english;
  std::string key;
  key.reserve(context.size() + 1 + std::strlen(english));
  key.append(context).append(1, '\004').append(english);
  const char* found = dgettext(kTextDomain, key.c_str());
  return found == key.c_str() ? english : found;
}

unsigned CatalogueGeneration() { return gGeneration; }

std::string CatalogueLanguage() {
  // The empty msgid's translation is the catalogue's header.
  const char* header = dgettext(kTextDomain, "");
  if (!header || !*header) return {};
  const std::string_view text(header);
  constexpr std::string_view field = "Language: ";
  const auto at = text.find(field);
  if (at == std::string_view::npos) return {};
  const auto begin = at + field.size();
  return std::string(text.substr(begin, text.find('\n', begin) - begin));
}

bool NeedsTranslation(std::string_view english) {
  for (const char c : english)
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) return true;
  return false;
}

std::string StringContext(int stringId) { return "string " + std::to_string(stringId); }

std::string MenuPopupContext(int menuId, int popupIndex) {
  return "menu " + std::to_string(menuId) + " popup " + std::to_string(popupIndex);
}

std::string MenuItemContext(int menuId, int command) {
  return "menu " + std::to_string(menuId) + " command " + std::to_string(command);
}

std::string DialogContext(int dialogId) { return "dialog " + std::to_string(dialogId); }

std::string ControlContext(int dialogId, int controlId) {
  return DialogContext(dialogId) + " control " + std::to_string(controlId);
}

std::string TextContext(std::string_view textName) { return "text " + std::string(textName); }

}  // namespace res
