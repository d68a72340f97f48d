// SPDX-License-Identifier: GPL-3.0-or-later
#include "res/dialog_templates.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "res/resource_ids.h"
#include "res/string_table.h"

namespace {

using res::ControlKind;
using res::ControlTemplate;
using res::DialogTemplate;
using res::FindControl;
using res::FindDialogTemplate;
namespace style = res::style;

struct Box {
  int x, y, cx, cy;
  bool operator==(const Box&) const = default;
};

Box BoxOf(const ControlTemplate& c) { return {c.x, c.y, c.cx, c.cy}; }

const DialogTemplate& Template(int id) {
  const DialogTemplate* t = FindDialogTemplate(id);
  if (!t) throw std::runtime_error("no template " + std::to_string(id));
  return *t;
}

std::vector<int> IdsInOrder(const DialogTemplate& t) {
  std::vector<int> ids;
  for (const auto& c : t.controls) ids.push_back(c.id);
  return ids;
}

TEST(DialogTemplates, AllExistWithTheirFontsSizesAndCaptions) {
  struct Expected {
    int id;
    const char* caption;
    int cx, cy, points;
  };
  const Expected all[] = {
      {100, "About Karoblen", 187, 130, 8},        {101, "", 221, 132, 8},
      {135, "Karoblen Options", 242, 66, 8},       {142, "", 97, 82, 10},
      {147, "Karoblen High Scores", 154, 160, 10}, {148, "Karoblen", 147, 76, 9},
      {150, "Karoblen Board Number", 185, 62, 8},  {151, "How to Play", 260, 200, 8}};
  for (const Expected& e : all) {
    const DialogTemplate& t = Template(e.id);
    EXPECT_STREQ(t.caption, e.caption) << e.id;
    EXPECT_EQ(t.cx, e.cx) << e.id;
    EXPECT_EQ(t.cy, e.cy) << e.id;
    EXPECT_STREQ(t.fontName, "MS Sans Serif") << e.id;
    EXPECT_EQ(t.pointSize, e.points) << e.id;
  }
  EXPECT_EQ(FindDialogTemplate(102), nullptr);
}

TEST(DialogTemplates, WindowStylesMatchEachDialogsRole) {
  EXPECT_EQ(Template(100).style,
            style::Popup | style::TitleBar | style::CloseBox | style::ModalFrame);
  EXPECT_EQ(Template(101).style, style::Child | style::NoBorder);
  for (int id : {135, 147, 148, 150}) {
    EXPECT_EQ(Template(id).style, style::Popup | style::TitleBar | style::ModalFrame) << id;
  }
  EXPECT_EQ(Template(142).style, style::Popup | style::ModalFrame | style::ClientEdge);
}

TEST(DialogTemplates, AboutBoxPresentsTheProgram) {
  const DialogTemplate& t = Template(IDD_ABOUTBOX);
  ASSERT_EQ(t.controls.size(), 7u);
  EXPECT_EQ(t.controls[0].kind, ControlKind::Icon);
  EXPECT_EQ(t.controls[0].iconId, 128);
  EXPECT_EQ(BoxOf(t.controls[0]), (Box{11, 17, 21, 20}));
  EXPECT_EQ(t.controls[3].id, IDOK);
  EXPECT_EQ(t.controls[3].style, style::DefaultButton | style::TabStop);
  EXPECT_EQ(BoxOf(t.controls[3]), (Box{125, 110, 55, 14}));
  const ControlTemplate& version = t.controls[6];
  EXPECT_STREQ(version.text, "Karoblen v1.1");
  EXPECT_EQ(version.style,
            style::AlignCenter | style::CenterVertically | style::SunkenFrame | style::NoPrefix);
  EXPECT_EQ(BoxOf(version), (Box{40, 20, 135, 15}));
  EXPECT_EQ(BoxOf(t.controls[5]), (Box{40, 68, 135, 8}));
}

TEST(DialogTemplates, FormTextsSitAlongTheBottom) {
  const DialogTemplate& t = Template(IDD_KAROBLEN_FORM);
  EXPECT_EQ(IdsInOrder(t), (std::vector<int>{1000, 1001, 1002}));
  EXPECT_STREQ(t.controls[2].text, "Selected Score: 0");
  EXPECT_EQ(BoxOf(t.controls[2]), (Box{140, 110, 65, 10}));
  EXPECT_EQ(t.controls[1].style, style::AlignCenter);
}

TEST(DialogTemplates, OptionsControlsAndListItems) {
  const DialogTemplate& t = Template(IDD_OPTIONS);
  EXPECT_EQ(IdsInOrder(t), (std::vector<int>{1, 2, -1, -1, 1005, 1006, -1, 1007, 1008, 1009}));
  const ControlTemplate* sizeList = FindControl(t, IDC_BOARDSIZE);
  ASSERT_NE(sizeList, nullptr);
  EXPECT_EQ(sizeList->kind, ControlKind::ComboBox);
  EXPECT_EQ(sizeList->style, style::DropDownList | style::VScroll | style::TabStop);
  EXPECT_EQ(BoxOf(*sizeList), (Box{65, 5, 105, 50}));
  const ControlTemplate* sound = FindControl(t, IDC_SOUNDFX);
  ASSERT_NE(sound, nullptr);
  EXPECT_EQ(sound->kind, ControlKind::CheckBox);
  EXPECT_TRUE(sound->style & style::Disabled);
  EXPECT_TRUE(sound->style & style::LeftText);
  EXPECT_EQ(FindControl(t, IDC_TILESET)->style,
            style::ReadOnly | style::Border | style::AutoHScroll | style::TabStop);

  std::vector<std::pair<int, std::string>> items;
  for (const auto& init : t.initData) items.emplace_back(init.controlId, init.text);
  const std::vector<std::pair<int, std::string>> expected = {
      {1005, "Small"},   {1005, "Medium"},  {1005, "Large"},  {1006, "2 Tiles"},
      {1006, "3 Tiles"}, {1006, "4 Tiles"}, {1006, "5 Tiles"}};
  EXPECT_EQ(items, expected);
}

TEST(DialogTemplates, GameOverValuesStartHiddenAndRightAligned) {
  const DialogTemplate& t = Template(IDD_GAMEOVER);
  EXPECT_EQ(IdsInOrder(t), (std::vector<int>{1014, 1015, 1016, 1017, 1010, 1011, 1012, 1013, -1}));
  const ControlTemplate* finalScore = FindControl(t, 1013);
  ASSERT_NE(finalScore, nullptr);
  EXPECT_EQ(finalScore->style, style::Hidden | style::AlignRight);
  EXPECT_STREQ(finalScore->text, "0");
  EXPECT_EQ(BoxOf(*finalScore), (Box{70, 70, 20, 10}));
  EXPECT_STREQ(FindControl(t, 1016)->text, "Bonus");
  EXPECT_EQ(BoxOf(t.controls.back()), (Box{5, 5, 85, 20}));
  EXPECT_STREQ(t.controls.back().text, "Game Over");
}

TEST(DialogTemplates, HighScoreRowsFollowOneAnother) {
  const DialogTemplate& t = Template(IDD_HIGHSCORES);
  ASSERT_EQ(t.controls.size(), 34u);
  EXPECT_EQ(t.controls[0].id, 1018);
  EXPECT_EQ(BoxOf(t.controls[0]), (Box{5, 5, 145, 10}));
  // Row 1.
  EXPECT_STREQ(t.controls[1].text, "1.");
  EXPECT_EQ(BoxOf(t.controls[1]), (Box{10, 25, 8, 10}));
  EXPECT_EQ(t.controls[2].id, 1019);
  EXPECT_EQ(BoxOf(t.controls[2]), (Box{25, 25, 100, 10}));
  EXPECT_EQ(t.controls[3].id, 1020);
  EXPECT_EQ(t.controls[3].style, style::AlignRight);
  // Row 10.
  EXPECT_STREQ(t.controls[28].text, "10.");
  EXPECT_EQ(t.controls[29].id, 1037);
  EXPECT_EQ(t.controls[30].id, 1038);
  EXPECT_STREQ(t.controls[30].text, "...");
  EXPECT_EQ(BoxOf(t.controls[30]), (Box{120, 115, 25, 10}));
  // Continue button, then the player's score.
  EXPECT_EQ(t.controls[31].id, 1039);
  EXPECT_EQ(t.controls[31].kind, ControlKind::PushButton);
  EXPECT_EQ(t.controls[31].style, style::TabStop | style::ClientEdge);
  EXPECT_EQ(BoxOf(t.controls[31]), (Box{5, 140, 145, 15}));
  EXPECT_EQ(t.controls[32].id, 1041);
  EXPECT_STREQ(t.controls[32].text, "Your score: ...");
  // The board's number, between the title and row 1, last in tab order.
  EXPECT_EQ(t.controls[33].id, 1044);
  EXPECT_EQ(t.controls[33].style, style::AlignCenter);
  EXPECT_EQ(BoxOf(t.controls[33]), (Box{5, 15, 145, 10}));
}

TEST(DialogTemplates, NameEntryHasItsEditField) {
  const DialogTemplate& t = Template(IDD_NAMEENTRY);
  EXPECT_EQ(IdsInOrder(t), (std::vector<int>{1, -1, -1, 1040, 1045}));
  // The hint beside the field stays empty until a character is refused.
  EXPECT_STREQ(t.controls[4].text, "");
  const ControlTemplate* name = FindControl(t, IDC_NAME);
  ASSERT_NE(name, nullptr);
  EXPECT_EQ(name->kind, ControlKind::Edit);
  EXPECT_EQ(name->style, style::Border | style::AutoHScroll | style::TabStop);
  EXPECT_EQ(BoxOf(*name), (Box{5, 40, 135, 12}));
  EXPECT_STREQ(t.controls[1].text, "Congratulations -- you got a high score!");
  EXPECT_EQ(BoxOf(t.controls[0]), (Box{89, 58, 50, 14}));
}

TEST(DialogTemplates, HowToPlayScrollsOneLongTextAboveItsButton) {
  const DialogTemplate& t = Template(IDD_HOWTOPLAY);
  EXPECT_EQ(IdsInOrder(t), (std::vector<int>{IDC_HOWTOPLAY_TEXT, IDOK}));
  const ControlTemplate* text = FindControl(t, IDC_HOWTOPLAY_TEXT);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->kind, ControlKind::Edit);
  EXPECT_EQ(text->style,
            style::Multiline | style::ReadOnly | style::VScroll | style::Border | style::TabStop);
  // The button sits below the text, inside the window.
  const ControlTemplate& ok = t.controls[1];
  EXPECT_GT(ok.y, text->y + text->cy);
  EXPECT_LE(ok.x + ok.cx, t.cx);
  EXPECT_LE(ok.y + ok.cy, t.cy);
  // What the window explains: the scoring table, the bonus and every aid.
  const std::string help = res::LoadString(IDS_HOWTOPLAY_TEXT);
  for (const char* part : {"(n - 2) x (n - 2)", "2 tiles: 0 points", "3 tiles: 1 point\n",
                           "5 tiles: 9 points", "10 tiles: 64 points", "1000 points", "Undo",
                           "arrow keys", "Tile Symbols", "Game > Hint", "number", "Karoblen.scr"})
    EXPECT_NE(help.find(part), std::string::npos) << part;
}

}  // namespace
