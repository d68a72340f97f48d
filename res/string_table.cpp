// SPDX-License-Identifier: GPL-3.0-or-later
#include "res/string_table.h"

#include <algorithm>
#include <array>

#include "res/resource_ids.h"
#include "res/text_markers.h"
#include "res/translation.h"

namespace res {
namespace {

// The How to Play window's text: paragraphs apart by an empty line.
constexpr const char* kHowToPlayText =
    "The goal\n"
    "Remove the tiles from the board in groups, and score as much as you can. Large groups "
    "are worth far more than small ones, and an empty board at the end earns a bonus.\n"
    "\n"
    "Moves\n"
    "Point at a tile: it lights up with every tile of its kind that touches it above, below, "
    "left or right. Click a group of two or more tiles to remove it. A group of n tiles scores "
    "(n - 2) x (n - 2) points:\n"
    "    2 tiles: 0 points\n"
    "    3 tiles: 1 point\n"
    "    5 tiles: 9 points\n"
    "    10 tiles: 64 points\n"
    "\n"
    "Falling and closing up\n"
    "The tiles above a removed group fall down, one column after another. A column left "
    "empty closes up: the columns to its right move left.\n"
    "\n"
    "The end of the game\n"
    "The game ends when no two touching tiles are of the same kind. The tally then takes one "
    "point off for every tile left, and adds a bonus of 1000 points when no tile is left. "
    "A score good enough for the high-score table asks for your name.\n"
    "\n"
    "Undo\n"
    "Game > Undo Last Move (Ctrl+Z) takes back the last move, once.\n"
    "\n"
    "Playing with the keyboard\n"
    "The arrow keys move a cursor over the board; Space or Return removes the group under "
    "it.\n"
    "\n"
    "Tile Symbols\n"
    "Game > Tile Symbols marks each kind of tile with a shape of its own, for when the "
    "colours are hard to tell apart.\n"
    "\n"
    "Hint\n"
    "Game > Hint (H) looks for the sequence of moves that ends with the highest final score "
    "and highlights its first move, with the cursor on it: Space plays it. The status bar "
    "then says whether the board can be cleared, whether it was proved that it cannot be, or "
    "that neither is known. The same board always gives the same hint, and games played "
    "with hints count in the high scores as any other.\n"
    "\n"
    "Numbered boards\n"
    "Every board has a number, shown in the status bar and with the high scores: the same "
    "number, board size and number of kinds always deal the same board. Game > Restart Board "
    "plays the board again from its start, and Game > Play Board Number deals any board by "
    "its number, so a board can be passed on to a friend.\n"
    "\n"
    "Where the scores are kept\n"
    "The ten best scores of each board size and number of kinds are kept in the file "
    "Karoblen.scr in the folder the game was started from; started from the desktop's menu, "
    "that is ~/.local/share/karoblen. File > Merge High Score Files adds another player's "
    "scores to yours.";

constexpr std::array kStrings{
    StringEntry{IDR_MAINFRAME, "Karoblen\n\n\n\n\n\n"},
    StringEntry{IDS_BOARD_NAME, "Board"},
    StringEntry{IDS_TILE_KIND_FIRST, "Red"},
    StringEntry{IDS_TILE_KIND_FIRST + 1, "Blue"},
    StringEntry{IDS_TILE_KIND_FIRST + 2, "Yellow"},
    StringEntry{IDS_TILE_KIND_FIRST + 3, "Green"},
    StringEntry{IDS_TILE_KIND_FIRST + 4, "Grey"},
    StringEntry{IDS_TILE_EMPTY, "Empty"},
    StringEntry{IDS_CELL_PLACE, "Column %1, row %2"},
    StringEntry{IDS_CELL_GROUP, ", group of %1"},
    StringEntry{IDS_BOARD_COLUMN, "Column %1"},
    StringEntry{IDS_BOARD_ROW, "Row %1"},
    StringEntry{IDS_NEWS_FINAL_SCORE, "Game over. Final score: %1"},
    StringEntry{IDS_HIGHSCORE_TABLE, "High Scores"},
    StringEntry{IDS_HIGHSCORE_RANK, "Rank"},
    StringEntry{IDS_HIGHSCORE_PLAYER, "Name"},
    StringEntry{IDS_HIGHSCORE_POINTS, "Score"},
    StringEntry{IDS_NEWS_GAME_SCORE, "Game Score: %1"},
    StringEntry{IDS_NEWS_TILES_LEFT, "Tiles Left: %1"},
    StringEntry{IDS_NEWS_BONUS, "Bonus: %1"},
    StringEntry{IDS_TILESET_BROWSE_NAME, "Choose Tile Set"},
    StringEntry{IDS_HIGHSCORE_BOARD, "Board %1"},
    StringEntry{IDS_HOWTOPLAY_TEXT, kHowToPlayText},
    StringEntry{IDS_HINT_MOVE, "Hint: %1 group of %2 at column %3, row %4, worth %5 points."},
    StringEntry{IDS_HINT_CAN_CLEAR, "This board can be cleared."},
    StringEntry{IDS_HINT_CANNOT_CLEAR, "This board cannot be cleared."},
    StringEntry{IDS_HINT_UNKNOWN, "Whether this board can be cleared is not known."},
    StringEntry{IDS_HINT_LINE, "%1 %2"},
    StringEntry{IDS_HINT_SEARCHING, "Looking for the best move..."},
    StringEntry{IDS_NAME_REFUSED, "The score file cannot keep %1"},
    StringEntry{ID_GAME_OPTIONS, "Edit game settings\nOptions"},
    StringEntry{ID_GAME_UNDO, "Undo the last move\nUndo Last Move"},
    StringEntry{ID_FILE_HIGHSCORES, "View high scores for current board\nView High Scores"},
    StringEntry{ID_GAME_TILESYMBOLS,
                "Mark each kind of tile with a shape of its own\nTile Symbols"},
    StringEntry{ID_GAME_RESTART, "Deal the current board again from its start\nRestart Board"},
    StringEntry{ID_GAME_BOARDNUMBER, "Deal a board by its number\nPlay Board Number"},
    StringEntry{ID_GAME_HINT, "Show the best move the game can find\nHint"},
    StringEntry{ID_HELP_HOWTOPLAY, "Explain the rules and how to play\nHow to Play"},
    StringEntry{AFX_IDS_APP_TITLE, "Karoblen"},
    StringEntry{AFX_IDS_IDLEMESSAGE, "Ready"},
    StringEntry{ID_FILE_NEW, "Start a new game\nNew Game"},
    StringEntry{ID_APP_ABOUT, "About Karoblen\nAbout"},
    StringEntry{ID_APP_EXIT, "Exit Karoblen\nExit"},
    StringEntry{ID_INDICATOR_EXT, "EXT"},
    StringEntry{ID_INDICATOR_CAPS, "CAP"},
    StringEntry{ID_INDICATOR_NUM, "NUM"},
    StringEntry{ID_INDICATOR_SCRL, "SCRL"},
    StringEntry{ID_INDICATOR_OVR, "OVR"},
    StringEntry{ID_INDICATOR_REC, "REC"},
    StringEntry{ID_INDICATOR_BOARD, "Board %1"},
    StringEntry{AFX_IDS_SCSIZE, "Change the window size"},
    StringEntry{AFX_IDS_SCMOVE, "Change the window position"},
    StringEntry{AFX_IDS_SCMINIMIZE, "Reduce the window to an icon"},
    StringEntry{AFX_IDS_SCMAXIMIZE, "Enlarge the window to full size"},
    StringEntry{AFX_IDS_SCCLOSE, "Close the window"},
    StringEntry{AFX_IDS_SCRESTORE, "Restore the window to normal size"},
    StringEntry{AFX_IDP_FAILED_TO_CREATE_DOC, "Failed to create empty document."},
};

constexpr bool IsSortedById() {
  for (std::size_t i = 1; i < kStrings.size(); ++i) {
    if (kStrings[i - 1].id >= kStrings[i].id) return false;
  }
  return true;
}
static_assert(IsSortedById(), "LoadString relies on binary search");

}  // namespace

std::span<const StringEntry> StringTable() { return kStrings; }

const char* LoadString(int id) {
  const auto it = std::lower_bound(kStrings.begin(), kStrings.end(), id,
                                   [](const StringEntry& e, int key) { return e.id < key; });
  if (it == kStrings.end() || it->id != id) return nullptr;
  return Translate(StringContext(id), it->text);
}

std::string FormatString(int id, std::initializer_list<std::string_view> args) {
  const char* text = LoadString(id);
  return text ? FillMarkers(text, args) : std::string();
}

std::string_view CommandPrompt(int id) {
  const char* text = LoadString(id);
  if (!text) return {};
  const std::string_view s(text);
  return s.substr(0, s.find('\n'));
}

std::string_view CommandTooltip(int id) {
  const char* text = LoadString(id);
  if (!text) return {};
  const std::string_view s(text);
  const auto newline = s.find('\n');
  return newline == std::string_view::npos ? std::string_view() : s.substr(newline + 1);
}

}  // namespace res
