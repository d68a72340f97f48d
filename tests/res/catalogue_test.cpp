// SPDX-License-Identifier: GPL-3.0-or-later
// Every shipped catalogue as the game reads it at run time: found by its
// language, complete under the contexts the tables ask in, with access keys
// that work; and English whenever no catalogue answers.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "res/catalogue_entries.h"
#include "res/command_resources.h"
#include "res/game_texts.h"
#include "res/resource_ids.h"
#include "res/string_table.h"
#include "res/translation.h"
#include "tests/res/catalogue_environment.h"

namespace {

void UseEnvironment(const char* language, const char* lcAll = nullptr) {
  UseLanguageEnvironment(language, lcAll);
}

// The access key of a menu text in lower case, or "" when it has none.
std::string AccessKey(std::string_view text) {
  const auto amp = text.find('&');
  if (amp == std::string_view::npos || amp + 1 >= text.size()) return {};
  const auto lead = static_cast<unsigned char>(text[amp + 1]);
  const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
  std::string key(text.substr(amp + 1, length));
  if (length == 1 && key[0] >= 'A' && key[0] <= 'Z') key[0] = static_cast<char>(key[0] - 'A' + 'a');
  return key;
}

class Catalogue : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override { UseEnvironment(GetParam().c_str()); }
  void TearDown() override { UseEnvironment(nullptr); }
};

TEST_P(Catalogue, IsFoundByItsLanguage) { EXPECT_EQ(res::CatalogueLanguage(), GetParam()); }

TEST_P(Catalogue, TranslatesEveryTextInTheContextTheTablesAsk) {
  for (const res::CatalogueEntry& entry : res::CatalogueEntries()) {
    SCOPED_TRACE(entry.context + ": " + entry.english);
    EXPECT_NE(res::Translate(entry.context, entry.english.c_str()), entry.english.c_str());
  }
}

TEST_P(Catalogue, MenusKeepTheirShortcutsAndHaveUniqueAccessKeys) {
  const res::MenuBar& menu = res::MainMenu();
  const res::MenuBar& english = res::SourceMainMenu();
  ASSERT_EQ(menu.popups.size(), english.popups.size());
  std::set<std::string> popupKeys;
  for (std::size_t p = 0; p < menu.popups.size(); ++p) {
    SCOPED_TRACE(menu.popups[p].text);
    const std::string popupKey = AccessKey(menu.popups[p].text);
    EXPECT_FALSE(popupKey.empty());
    EXPECT_TRUE(popupKeys.insert(popupKey).second) << "access key " << popupKey << " twice";
    std::set<std::string> itemKeys;
    for (std::size_t i = 0; i < menu.popups[p].items.size(); ++i) {
      const res::MenuItem& item = menu.popups[p].items[i];
      if (item.isSeparator()) continue;
      SCOPED_TRACE(item.text);
      EXPECT_EQ(res::MenuItemShortcut(item), res::MenuItemShortcut(english.popups[p].items[i]));
      const std::string key = AccessKey(res::MenuItemLabel(item));
      EXPECT_FALSE(key.empty());
      EXPECT_TRUE(itemKeys.insert(key).second) << "access key " << key << " twice";
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Shipped, Catalogue, ::testing::ValuesIn(ShippedLanguages()),
                         [](const auto& info) { return info.param; });

// Without a catalogue that answers, every table hands out its English text
// itself, so the window is exactly the English one.
TEST(CatalogueFallback, EnglishWhenNoCatalogueAnswers) {
  const char* const languages[] = {nullptr, "xx", "en_GB"};
  for (const char* language : languages) {
    UseEnvironment(language);
    EXPECT_EQ(res::CatalogueLanguage(), "");
    for (const res::CatalogueEntry& entry : res::CatalogueEntries())
      EXPECT_EQ(res::Translate(entry.context, entry.english.c_str()), entry.english.c_str());
    EXPECT_STREQ(res::LoadString(AFX_IDS_IDLEMESSAGE), "Ready");
    EXPECT_STREQ(res::MainMenu().popups[0].items[0].text, "&New Game\tCtrl+N");
    EXPECT_EQ(res::Text(res::TextId::ScoreLine), "Score: %1");
  }
}

// The C library ignores LANGUAGE under the C locale, and so does the game.
TEST(CatalogueFallback, CLocaleIgnoresLanguage) {
  UseEnvironment(ShippedLanguages().empty() ? "de" : ShippedLanguages()[0].c_str(), "C");
  EXPECT_EQ(res::CatalogueLanguage(), "");
  EXPECT_STREQ(res::LoadString(AFX_IDS_IDLEMESSAGE), "Ready");
  UseEnvironment(nullptr);
}

// A list in LANGUAGE falls back along it, past languages not shipped.
TEST(CatalogueFallback, LanguageListFallsBackAlongIt) {
  for (const std::string& language : ShippedLanguages()) {
    UseEnvironment(("xx:" + language + ":en").c_str());
    EXPECT_EQ(res::CatalogueLanguage(), language);
  }
  UseEnvironment(nullptr);
}

}  // namespace
