// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one door through which every table in res/ passes its texts on their
// way to the player: the C library's message catalogues, looked up by the
// English text in a context named after the text's resource id. The English
// is both the key and the fallback, so a missing catalogue, a missing entry
// or the C locale gives the English tables unchanged.
#include <string>
#include <string_view>

namespace res {

// The catalogues' domain: po/LL.po compiles to LL/LC_MESSAGES/karoblen.mo.
inline constexpr const char* kTextDomain = "karoblen";

// Selects the player's language from the environment as gettext does
// (LANGUAGE, then LC_ALL, LC_MESSAGES, LANG) and reads the catalogues under
// `localeDir`. Called once at start; tests call it again after changing the
// environment, and every table then translates afresh.
void OpenCatalogues(const std::string& localeDir);

// `english` in the player's language, or `english` itself. The result lives
// as long as the program.
const char* Translate(std::string_view context, const char* english);

// Bumped by each OpenCatalogues, so that tables which keep translated copies
// know when to make them again.
unsigned CatalogueGeneration();

// The language of the catalogue in use, as its header names it ("de",
// "pt_BR"); empty when the texts are English.
std::string CatalogueLanguage();

// A text with no letter in it ("...", "0", "10.", "/%1") reads the same in
// every language and is left out of the catalogues.
bool NeedsTranslation(std::string_view english);

// The contexts, one per resource id: two equal English texts in different
// places may need different words.
std::string StringContext(int stringId);
std::string MenuPopupContext(int menuId, int popupIndex);
std::string MenuItemContext(int menuId, int command);
std::string DialogContext(int dialogId);
std::string ControlContext(int dialogId, int controlId);
std::string TextContext(std::string_view textName);

}  // namespace res
