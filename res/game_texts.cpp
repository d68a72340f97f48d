// SPDX-License-Identifier: GPL-3.0-or-later
#include "res/game_texts.h"

#include <array>
#include <cstddef>
#include <utility>

#include "res/text_markers.h"
#include "res/translation.h"

namespace res {
namespace {

struct TextEntry {
  TextId id;
  const char* text;
};

constexpr std::array kTexts{
    TextEntry{TextId::ScoreLine, "Score: %1"},
    TextEntry{TextId::TilesLeftLine, "Tiles Left: %1"},
    TextEntry{TextId::SelectScoreLine, "Select Score: %1"},
    TextEntry{TextId::OptionsRestartQuestion,
              "Changes to board size/number of tiles requires the game to restart -- are you "
              "sure?"},
    TextEntry{TextId::OptionsCaption, "Karoblen Options"},
    TextEntry{TextId::MergeFileTitle, "Select High Score File To Merge"},
    TextEntry{TextId::MergeFileFilter,
              "Highscore Files (.scr;.scores)|*.scr;*.scores|All Files|*.*||"},
    TextEntry{TextId::NewGameQuestion, "Are you sure you want to start a new game?"},
    TextEntry{TextId::RestartBoardQuestion,
              "Are you sure you want to start this board again from the beginning?"},
    TextEntry{TextId::BoardNumberEmpty, "Enter a board number from 0 to 2147483647."},
    TextEntry{TextId::BoardNumberNotDigits,
              "A board number has digits only: no letters, signs or spaces."},
    TextEntry{TextId::BoardNumberTooLarge, "The largest board number is 2147483647."},
    TextEntry{TextId::HighScoresTitle, "High Scores for game board %1%2"},
    TextEntry{TextId::BoardSmall, "Small"},
    TextEntry{TextId::BoardMedium, "Medium"},
    TextEntry{TextId::BoardLarge, "Large"},
    TextEntry{TextId::TileKindsSuffix, "/%1"},
    TextEntry{TextId::YourScoreLine, "Your score: %1"},
    TextEntry{TextId::MergeNoNul, "No Nul"},
    TextEntry{TextId::MergeCannotOpen, "Unable to open file!"},
    TextEntry{TextId::MergeNotAScoreFile,
              "Unable to merge highscores -- not a valid Karoblen highscore file"},
    TextEntry{TextId::MergeComplete,
              "Highscore merge complete.\n\nHighscore entries added: %1\nDuplicate entries "
              "found: %2"},
    TextEntry{TextId::ScoresNotSaved,
              "The high scores could not be saved in %1:\n%2.\n\nThey are kept while the game "
              "runs, and the next save that works writes them."},
    TextEntry{TextId::ToolbarTitle, "Toolbar"},
    TextEntry{TextId::SoundStreamName, "Sound effect"},
    TextEntry{TextId::Usage,
              "Usage: karoblen [--in-data-dir] [--tile-symbols] [--board N]\n"
              "                [--help | --version]\n"
              "Starts Karoblen, a tile puzzle: click a group of two or more like tiles\n"
              "to remove it. High scores are kept in Karoblen.scr in the current directory.\n"
              "\n"
              "  --in-data-dir  play in $XDG_DATA_HOME/karoblen (~/.local/share/karoblen\n"
              "                 by default), made on first use, so that the score file is\n"
              "                 kept there; the desktop menu starts the game this way\n"
              "  --tile-symbols mark each kind of tile with a shape of its own, as\n"
              "                 Game > Tile Symbols does\n"
              "  --board N      start on board number N (0 to 2147483647), Medium with\n"
              "                 3 kinds: the same N always deals the same board\n"
              "  --help         show this text and exit\n"
              "  --version      show the version and exit\n"},
    TextEntry{TextId::VersionLine, "Karoblen %1"},
    TextEntry{TextId::NoDesktop,
              "Karoblen needs a desktop to show its window, and there is none here (%1).\n"
              "Start it from a terminal inside your desktop session.\n"},
    TextEntry{TextId::DisplayNotSet, "DISPLAY is not set"},
    TextEntry{TextId::NoXServer, "no X server answers on display %1"},
    TextEntry{TextId::WaylandNotSet, "WAYLAND_DISPLAY is not set"},
    TextEntry{TextId::NoWaylandCompositor, "no Wayland compositor answers at %1"},
    TextEntry{TextId::NeitherDesktop, "%1, and %2"},
    TextEntry{TextId::NoDataDirectory,
              "Karoblen cannot keep its scores in its data directory: %1.\n"},
    TextEntry{TextId::BadBoardOption, "Karoblen cannot start on board \"%1\". %2\n\n"},
    TextEntry{TextId::BoardOptionMissing, "Karoblen needs a board number after --board.\n\n"},
    TextEntry{TextId::NoDataHome, "neither XDG_DATA_HOME nor HOME names an absolute directory"},
    TextEntry{TextId::CannotCreateDirectory, "cannot create %1 (%2)"},
    TextEntry{TextId::CannotEnterDirectory, "cannot enter %1 (%2)"},
};

// Text() indexes the table by id, so every id has its place.
constexpr bool IsInIdOrder() {
  for (std::size_t i = 0; i < kTexts.size(); ++i)
    if (static_cast<std::size_t>(kTexts[i].id) != i) return false;
  return kTexts.size() == static_cast<std::size_t>(TextId::Count);
}
static_assert(IsInIdOrder(), "one text per id, in the order of TextId");

// The enumerator's name as the compiler spells it in a function's signature
// ("... [with res::TextId V = res::TextId::ScoreLine; ..." or
// "... [V = res::TextId::ScoreLine]"), so that a text added to the enum is
// named in the catalogues without a second list to keep in step.
template <TextId V>
constexpr std::string_view EnumeratorName() {
  constexpr std::string_view signature = __PRETTY_FUNCTION__;
  constexpr std::string_view marker = "TextId::";
  constexpr auto begin = signature.rfind(marker) + marker.size();
  constexpr auto end = signature.find_first_of(";]", begin);
  return signature.substr(begin, end - begin);
}

template <std::size_t... I>
constexpr std::array<std::string_view, sizeof...(I)> EnumeratorNames(std::index_sequence<I...>) {
  return {EnumeratorName<static_cast<TextId>(I)>()...};
}

constexpr auto kNames =
    EnumeratorNames(std::make_index_sequence<static_cast<std::size_t>(TextId::Count)>());

constexpr bool NamesAreWords() {
  for (const std::string_view name : kNames) {
    if (name.empty()) return false;
    for (const char c : name)
      if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')))
        return false;
  }
  return true;
}
static_assert(NamesAreWords(), "every text is named by its enumerator");
static_assert(kNames[static_cast<std::size_t>(TextId::Usage)] == "Usage");

}  // namespace

std::string_view SourceText(TextId id) { return kTexts[static_cast<std::size_t>(id)].text; }

std::string_view TextName(TextId id) { return kNames[static_cast<std::size_t>(id)]; }

std::string_view Text(TextId id) {
  return Translate(TextContext(TextName(id)), kTexts[static_cast<std::size_t>(id)].text);
}

std::string FormatText(TextId id, std::initializer_list<std::string_view> values) {
  return FillMarkers(Text(id), values);
}

std::string FormatText(TextId id, int value) { return FormatText(id, {std::to_string(value)}); }

}  // namespace res
