// SPDX-License-Identifier: GPL-3.0-or-later
#include "res/command_resources.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "res/game_texts.h"
#include "res/resource_ids.h"
#include "res/string_table.h"
#include "res/version_info.h"

namespace {

using namespace res;

std::vector<std::pair<std::string, int>> Items(const MenuPopup& popup) {
  std::vector<std::pair<std::string, int>> items;
  for (const MenuItem& item : popup.items) {
    items.emplace_back(item.isSeparator() ? "-" : item.text, item.command);
  }
  return items;
}

TEST(MainMenu, HasThreePopupsWithTheirItemsInOrder) {
  const MenuBar& menu = MainMenu();
  EXPECT_EQ(menu.id, 128);
  ASSERT_EQ(menu.popups.size(), 3u);
  EXPECT_STREQ(menu.popups[0].text, "&File");
  EXPECT_STREQ(menu.popups[1].text, "&Game");
  EXPECT_STREQ(menu.popups[2].text, "&Help");
  using V = std::vector<std::pair<std::string, int>>;
  EXPECT_EQ(Items(menu.popups[0]), (V{{"&New Game\tCtrl+N", 57600},
                                      {"-", 0},
                                      {"View &High Scores...\tCtrl+H", 32776},
                                      {"&Merge High Score Files...\tCtrl+M", 32778},
                                      {"-", 0},
                                      {"E&xit", 57665}}));
  EXPECT_EQ(Items(menu.popups[1]), (V{{"&Options...\tCtrl+O", 32772},
                                      {"Tile &Symbols", 32779},
                                      {"-", 0},
                                      {"&Restart Board", 32780},
                                      {"Play &Board Number...", 32781},
                                      {"-", 0},
                                      {"&Undo Last Move\tCtrl+Z", 32773},
                                      {"&Hint\tH", 32782}}));
  // How to Play comes above About.
  EXPECT_EQ(Items(menu.popups[2]), (V{{"&How to Play\tF1", 32783}, {"&About Karoblen...", 57664}}));
}

TEST(MainMenu, ItemTextSplitsIntoLabelAndShortcut) {
  const MenuItem& newGame = MainMenu().popups[0].items[0];
  EXPECT_EQ(MenuItemLabel(newGame), "&New Game");
  EXPECT_EQ(MenuItemShortcut(newGame), "Ctrl+N");
  const MenuItem& exit = MainMenu().popups[0].items[5];
  EXPECT_EQ(MenuItemLabel(exit), "E&xit");
  EXPECT_EQ(MenuItemShortcut(exit), "");
}

TEST(Accelerators, AreCtrlLettersThenHintAndHelpKeysWithoutMenuFlash) {
  std::vector<std::pair<char, int>> keys;
  for (const Accelerator& a : Accelerators()) {
    keys.emplace_back(a.key, a.command);
    // Only the five game commands of old hold Ctrl; H and F1 are bare.
    EXPECT_EQ(a.ctrl, a.command != ID_GAME_HINT && a.command != ID_HELP_HOWTOPLAY) << a.key;
    EXPECT_FALSE(a.shift);
    EXPECT_FALSE(a.alt);
    EXPECT_TRUE(a.noInvert);
  }
  EXPECT_EQ(keys, (std::vector<std::pair<char, int>>{{'H', 32776},
                                                     {'M', 32778},
                                                     {'N', 57600},
                                                     {'O', 32772},
                                                     {'Z', 32773},
                                                     {'H', 32782},
                                                     {kKeyF1, 32783}}));
  EXPECT_EQ(FindAccelerator(ID_APP_EXIT), nullptr);
  EXPECT_EQ(FindAccelerator(ID_APP_ABOUT), nullptr);
  ASSERT_NE(FindAccelerator(ID_GAME_UNDO), nullptr);
  EXPECT_EQ(FindAccelerator(ID_GAME_UNDO)->key, 'Z');
}

TEST(Toolbar, HasThreeButtonsBetweenSeparators) {
  std::vector<std::pair<int, int>> items;
  for (const ToolbarItem& item : ToolbarItems()) items.emplace_back(item.command, item.imageIndex);
  EXPECT_EQ(items, (std::vector<std::pair<int, int>>{
                       {57600, 0}, {0, -1}, {32773, 1}, {0, -1}, {57664, 2}}));
  EXPECT_EQ(ToolbarButtonWidth, 16);
  EXPECT_EQ(ToolbarButtonHeight, 15);
}

TEST(StringTable, HoldsTheProgramsTexts) {
  EXPECT_STREQ(LoadString(128), "Karoblen\n\n\n\n\n\n");
  EXPECT_STREQ(LoadString(57344), "Karoblen");
  EXPECT_STREQ(LoadString(57345), "Ready");
  const char* indicators[] = {"EXT", "CAP", "NUM", "SCRL", "OVR", "REC"};
  for (int i = 0; i < 6; ++i) EXPECT_STREQ(LoadString(59136 + i), indicators[i]);
  EXPECT_EQ(FormatString(ID_INDICATOR_BOARD, {"42"}), "Board 42");
  EXPECT_EQ(FormatString(IDS_HIGHSCORE_BOARD, {"42"}), "Board 42");
  EXPECT_STREQ(LoadString(61184), "Change the window size");
  EXPECT_STREQ(LoadString(61700), "Failed to create empty document.");
  EXPECT_EQ(LoadString(127), nullptr);
}

TEST(StringTable, CommandStringsSplitIntoPromptAndTooltip) {
  struct Expected {
    int id;
    const char* prompt;
    const char* tooltip;
  };
  const Expected all[] = {{32772, "Edit game settings", "Options"},
                          {32773, "Undo the last move", "Undo Last Move"},
                          {32776, "View high scores for current board", "View High Scores"},
                          {32780, "Deal the current board again from its start", "Restart Board"},
                          {32781, "Deal a board by its number", "Play Board Number"},
                          {57600, "Start a new game", "New Game"},
                          {57664, "About Karoblen", "About"},
                          {57665, "Exit Karoblen", "Exit"}};
  for (const Expected& e : all) {
    EXPECT_EQ(CommandPrompt(e.id), e.prompt) << e.id;
    EXPECT_EQ(CommandTooltip(e.id), e.tooltip) << e.id;
  }
  EXPECT_EQ(CommandTooltip(57345), "");
}

TEST(StringTable, MergeScoresHasNoStringSoItsPromptIsEmpty) {
  EXPECT_EQ(LoadString(ID_FILE_MERGESCORES), nullptr);
  EXPECT_EQ(CommandPrompt(ID_FILE_MERGESCORES), "");
  EXPECT_EQ(CommandTooltip(ID_FILE_MERGESCORES), "");
}

TEST(VersionInfo, Is1_1_0_0InUsEnglish) {
  EXPECT_EQ(kVersionInfo.fileVersion[0], 1);
  EXPECT_EQ(kVersionInfo.fileVersion[1], 1);
  EXPECT_EQ(kVersionInfo.fileVersion[2], 0);
  EXPECT_EQ(kVersionInfo.productVersion[1], 1);
  EXPECT_STREQ(kVersionInfo.fileVersionText, "1, 1, 0, 0");
  EXPECT_STREQ(kVersionInfo.productName, "Karoblen");
  EXPECT_EQ(kVersionInfo.language, 0x0409);
  EXPECT_EQ(kVersionInfo.codePage, 1200);
}

TEST(GameTexts, EveryIdHasATextAndValuesFillTheMarkersInOrder) {
  for (int id = 0; id < static_cast<int>(TextId::Count); ++id)
    EXPECT_FALSE(Text(static_cast<TextId>(id)).empty()) << id;

  const struct {
    TextId id;
    std::initializer_list<std::string_view> values;
    const char* expected;
  } cases[] = {
      {TextId::ScoreLine, {"-2"}, "Score: -2"},
      {TextId::MergeComplete,
       {"3", "1"},
       "Highscore merge complete.\n\nHighscore entries added: 3\nDuplicate entries found: 1"},
      {TextId::HighScoresTitle, {"Large", "/4"}, "High Scores for game board Large/4"},
      // A value is never read as a marker, and a marker without a value goes.
      {TextId::NeitherDesktop, {"50%1", "%2"}, "50%1, and %2"},
      {TextId::HighScoresTitle, {"Small"}, "High Scores for game board Small"},
      {TextId::MergeNoNul, {"unused"}, "No Nul"},
  };
  for (const auto& tc : cases) EXPECT_EQ(FormatText(tc.id, tc.values), tc.expected);
  EXPECT_EQ(FormatText(TextId::YourScoreLine, 16876), "Your score: 16876");
}

}  // namespace
