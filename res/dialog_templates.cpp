// SPDX-License-Identifier: GPL-3.0-or-later
#include "res/dialog_templates.h"

#include <algorithm>
#include <array>
#include <vector>

#include "res/resource_ids.h"
#include "res/translation.h"

namespace res {
namespace {

using namespace style;
using K = ControlKind;

constexpr const char* kFont = "MS Sans Serif";

constexpr std::array kAboutControls{
    ControlTemplate{IDC_STATIC, K::Icon, "", Visible, 11, 17, 21, 20, IDR_MAINFRAME},
    ControlTemplate{IDC_STATIC, K::Static, "Presented by the Karoblen team", AlignCenter | NoPrefix,
                    40, 10, 135, 8},
    ControlTemplate{IDC_STATIC, K::Static, "Written by the Karoblen team", AlignCenter, 40, 43, 135,
                    8},
    ControlTemplate{IDOK, K::PushButton, "OK", DefaultButton | TabStop, 125, 110, 55, 14},
    ControlTemplate{IDC_STATIC, K::Static, "karoblen@users.invalid", AlignCenter, 40, 58, 135, 8},
    ControlTemplate{IDC_STATIC, K::Static, "Karoblen home page: karoblen.invalid", AlignCenter, 40,
                    68, 135, 8},
    ControlTemplate{IDC_STATIC, K::Static, "Karoblen v1.1",
                    AlignCenter | CenterVertically | SunkenFrame | NoPrefix, 40, 20, 135, 15},
};

constexpr std::array kFormControls{
    ControlTemplate{IDC_SCORE, K::Static, "Score: 0", AlignCenter, 5, 110, 65, 10},
    ControlTemplate{IDC_TILESLEFT, K::Static, "Tiles Left: 0", AlignCenter, 70, 110, 65, 10},
    ControlTemplate{IDC_SELECTSCORE, K::Static, "Selected Score: 0", AlignCenter, 140, 110, 65, 10},
};

constexpr unsigned kComboStyle = DropDownList | VScroll | TabStop;

constexpr std::array kOptionsControls{
    ControlTemplate{IDOK, K::PushButton, "OK", DefaultButton | TabStop, 185, 5, 50, 14},
    ControlTemplate{IDCANCEL, K::PushButton, "Cancel", TabStop, 185, 20, 50, 14},
    ControlTemplate{IDC_STATIC, K::Static, "Board Size:", AlignLeft, 5, 5, 37, 8},
    ControlTemplate{IDC_STATIC, K::Static, "Number of Tiles:", AlignLeft, 5, 20, 52, 8},
    ControlTemplate{IDC_BOARDSIZE, K::ComboBox, "", kComboStyle, 65, 5, 105, 50},
    ControlTemplate{IDC_TILEKINDS, K::ComboBox, "", kComboStyle, 65, 20, 105, 50},
    ControlTemplate{IDC_STATIC, K::Static, "Tile Set:", AlignLeft, 5, 35, 27, 8},
    ControlTemplate{IDC_TILESET, K::Edit, "", ReadOnly | Border | AutoHScroll | TabStop, 65, 35, 92,
                    13},
    ControlTemplate{IDC_TILESET_BROWSE, K::PushButton, "...", TabStop, 158, 35, 12, 14},
    ControlTemplate{IDC_SOUNDFX, K::CheckBox,
                    "Sound Effects:", AutoCheck | LeftText | Disabled | TabStop, 5, 50, 68, 10},
};

constexpr std::array kOptionsInit{
    ComboInit{IDC_BOARDSIZE, "Small"},   ComboInit{IDC_BOARDSIZE, "Medium"},
    ComboInit{IDC_BOARDSIZE, "Large"},   ComboInit{IDC_TILEKINDS, "2 Tiles"},
    ComboInit{IDC_TILEKINDS, "3 Tiles"}, ComboInit{IDC_TILEKINDS, "4 Tiles"},
    ComboInit{IDC_TILEKINDS, "5 Tiles"},
};

constexpr std::array kGameOverControls{
    ControlTemplate{IDC_GAMESCORE_LABEL, K::Static, "Game Score:", Hidden | AlignLeft, 5, 35, 45,
                    10},
    ControlTemplate{IDC_TILESLEFT_LABEL, K::Static, "Tiles Left:", Hidden | AlignLeft, 5, 45, 40,
                    10},
    ControlTemplate{IDC_BONUS_LABEL, K::Static, "Bonus", Hidden | AlignLeft, 5, 55, 40, 10},
    ControlTemplate{IDC_FINALSCORE_LABEL, K::Static, "Final Score:", Hidden | AlignLeft, 5, 70, 40,
                    10},
    ControlTemplate{IDC_GAMESCORE_VALUE, K::Static, "0", Hidden | AlignRight, 70, 35, 20, 10},
    ControlTemplate{IDC_TILESLEFT_VALUE, K::Static, "0", Hidden | AlignRight, 70, 45, 20, 10},
    ControlTemplate{IDC_BONUS_VALUE, K::Static, "0", Hidden | AlignRight, 70, 55, 20, 10},
    ControlTemplate{IDC_FINALSCORE_VALUE, K::Static, "0", Hidden | AlignRight, 70, 70, 20, 10},
    ControlTemplate{IDC_STATIC, K::Static, "Game Over",
                    AlignCenter | CenterVertically | StaticEdge | ModalFrame, 5, 5, 85, 20},
};

constexpr const char* kRankTexts[IDC_HIGHSCORE_ROWS] = {"1.", "2.", "3.", "4.", "5.",
                                                        "6.", "7.", "8.", "9.", "10."};

// Title, ten rows of (rank, name, score), the continue button, your score,
// and the board's number in the gap between the title and the first row.
constexpr std::array<ControlTemplate, 1 + 3 * IDC_HIGHSCORE_ROWS + 3> MakeHighScoreControls() {
  std::array<ControlTemplate, 1 + 3 * IDC_HIGHSCORE_ROWS + 3> controls{};
  std::size_t n = 0;
  controls[n++] = {
      IDC_HIGHSCORE_TITLE, K::Static, "High scores for game board ...", AlignCenter, 5, 5, 145, 10};
  for (int row = 1; row <= IDC_HIGHSCORE_ROWS; ++row) {
    const int y = 15 + 10 * row;
    controls[n++] = {IDC_STATIC, K::Static, kRankTexts[row - 1], AlignLeft, 10, y, 8, 10};
    controls[n++] = {IDC_HIGHSCORE_NAME(row), K::Static, "...", AlignLeft, 25, y, 100, 10};
    controls[n++] = {IDC_HIGHSCORE_SCORE(row), K::Static, "...", AlignRight, 120, y, 25, 10};
  }
  controls[n++] = {IDC_HIGHSCORE_CONTINUE,
                   K::PushButton,
                   "Click here to continue...",
                   TabStop | ClientEdge,
                   5,
                   140,
                   145,
                   15};
  controls[n++] = {IDC_HIGHSCORE_YOURSCORE,
                   K::Static,
                   "Your score: ...",
                   AlignCenter | CenterVertically,
                   5,
                   125,
                   145,
                   10};
  controls[n++] = {IDC_HIGHSCORE_BOARD, K::Static, "Board ...", AlignCenter, 5, 15, 145, 10};
  return controls;
}

constexpr auto kHighScoreControls = MakeHighScoreControls();

constexpr std::array kNameEntryControls{
    ControlTemplate{IDOK, K::PushButton, "OK", DefaultButton | TabStop, 89, 58, 50, 14},
    ControlTemplate{IDC_STATIC, K::Static, "Congratulations -- you got a high score!",
                    AlignCenter | CenterVertically, 5, 5, 135, 10},
    ControlTemplate{IDC_STATIC, K::Static, "Please enter your name.", AlignCenter, 5, 20, 135, 10},
    ControlTemplate{IDC_NAME, K::Edit, "", Border | AutoHScroll | TabStop, 5, 40, 135, 12},
    ControlTemplate{IDC_NAME_HINT, K::Static, "", AlignLeft, 5, 55, 82, 18},
};

// The hint starts out saying what the field takes and, when OK refuses the
// number, says what is wrong with it.
constexpr std::array kBoardNumberControls{
    ControlTemplate{IDC_STATIC, K::Static, "Board number:", AlignLeft, 5, 7, 50, 8},
    ControlTemplate{IDC_BOARDNUMBER, K::Edit, "", Border | AutoHScroll | TabStop, 57, 5, 66, 13},
    ControlTemplate{IDOK, K::PushButton, "OK", DefaultButton | TabStop, 130, 5, 50, 14},
    ControlTemplate{IDCANCEL, K::PushButton, "Cancel", TabStop, 130, 22, 50, 14},
    ControlTemplate{IDC_BOARDNUMBER_HINT, K::Static, "Enter a board number from 0 to 2147483647.",
                    AlignLeft, 5, 40, 175, 18},
};

// The text itself is the string IDS_HOWTOPLAY_TEXT, put in when the window opens.
constexpr std::array kHowToPlayControls{
    ControlTemplate{IDC_HOWTOPLAY_TEXT, K::Edit, "",
                    Multiline | ReadOnly | VScroll | Border | TabStop, 7, 7, 246, 166},
    ControlTemplate{IDOK, K::PushButton, "OK", DefaultButton | TabStop, 198, 179, 55, 14},
};

constexpr std::array kTemplates{
    DialogTemplate{IDD_ABOUTBOX,
                   "About Karoblen",
                   Popup | TitleBar | CloseBox | ModalFrame,
                   0,
                   0,
                   187,
                   130,
                   kFont,
                   8,
                   kAboutControls,
                   {}},
    DialogTemplate{
        IDD_KAROBLEN_FORM, "", Child | NoBorder, 0, 0, 221, 132, kFont, 8, kFormControls, {}},
    DialogTemplate{IDD_OPTIONS, "Karoblen Options", Popup | TitleBar | ModalFrame, 0, 0, 242, 66,
                   kFont, 8, kOptionsControls, kOptionsInit},
    DialogTemplate{IDD_GAMEOVER,
                   "",
                   Popup | ModalFrame | ClientEdge,
                   0,
                   0,
                   97,
                   82,
                   kFont,
                   10,
                   kGameOverControls,
                   {}},
    DialogTemplate{IDD_HIGHSCORES,
                   "Karoblen High Scores",
                   Popup | TitleBar | ModalFrame,
                   0,
                   0,
                   154,
                   160,
                   kFont,
                   10,
                   kHighScoreControls,
                   {}},
    DialogTemplate{IDD_NAMEENTRY,
                   "Karoblen",
                   Popup | TitleBar | ModalFrame,
                   0,
                   0,
                   147,
                   76,
                   kFont,
                   9,
                   kNameEntryControls,
                   {}},
    DialogTemplate{IDD_BOARDNUMBER,
                   "Karoblen Board Number",
                   Popup | TitleBar | ModalFrame,
                   0,
                   0,
                   185,
                   62,
                   kFont,
                   8,
                   kBoardNumberControls,
                   {}},
    DialogTemplate{IDD_HOWTOPLAY,
                   "How to Play",
                   Popup | TitleBar | CloseBox | ModalFrame,
                   0,
                   0,
                   260,
                   200,
                   kFont,
                   8,
                   kHowToPlayControls,
                   {}},
};

struct TranslatedTemplates {
  unsigned generation = ~0u;
  std::vector<std::vector<ControlTemplate>> controls;
  std::vector<std::vector<ComboInit>> initData;
  std::vector<DialogTemplate> templates;
};

// Made again only when the language changes, so that an open dialog's
// template stays valid.
const std::vector<DialogTemplate>& Translated() {
  static TranslatedTemplates t;
  if (t.generation == CatalogueGeneration()) return t.templates;
  t.generation = CatalogueGeneration();
  t.controls.assign(kTemplates.size(), {});
  t.initData.assign(kTemplates.size(), {});
  t.templates.clear();
  for (std::size_t d = 0; d < kTemplates.size(); ++d) {
    const DialogTemplate& source = kTemplates[d];
    for (ControlTemplate control : source.controls) {
      control.text = Translate(ControlContext(source.id, control.id), control.text);
      t.controls[d].push_back(control);
    }
    for (ComboInit item : source.initData) {
      item.text = Translate(ControlContext(source.id, item.controlId), item.text);
      t.initData[d].push_back(item);
    }
    DialogTemplate dialog = source;
    dialog.caption = Translate(DialogContext(source.id), source.caption);
    dialog.controls = t.controls[d];
    dialog.initData = t.initData[d];
    t.templates.push_back(dialog);
  }
  return t.templates;
}

}  // namespace

const DialogTemplate* FindDialogTemplate(int id) {
  const auto& templates = Translated();
  const auto it = std::find_if(templates.begin(), templates.end(),
                               [id](const DialogTemplate& t) { return t.id == id; });
  return it == templates.end() ? nullptr : &*it;
}

std::span<const DialogTemplate> DialogTemplates() { return Translated(); }

std::span<const DialogTemplate> SourceDialogTemplates() { return kTemplates; }

const ControlTemplate* FindControl(const DialogTemplate& dialog, int controlId) {
  const auto it = std::find_if(dialog.controls.begin(), dialog.controls.end(),
                               [controlId](const ControlTemplate& c) { return c.id == controlId; });
  return it == dialog.controls.end() ? nullptr : &*it;
}

}  // namespace res
