// SPDX-License-Identifier: GPL-3.0-or-later
#include "res/text_tables.h"

#include <algorithm>
#include <array>

#include "res/resource_ids.h"

namespace res {
namespace {

constexpr std::array kHighScoreHeaders{IDS_HIGHSCORE_RANK, IDS_HIGHSCORE_PLAYER,
                                       IDS_HIGHSCORE_POINTS};

// Rank, name and score of each row follow the title.
constexpr std::array kTables{
    TextTable{IDD_HIGHSCORES, IDS_HIGHSCORE_TABLE, 1, IDC_HIGHSCORE_ROWS, kHighScoreHeaders, 1},
};

}  // namespace

const TextTable* FindTextTable(int dialogId) {
  const auto it = std::find_if(kTables.begin(), kTables.end(),
                               [dialogId](const TextTable& t) { return t.dialogId == dialogId; });
  return it == kTables.end() ? nullptr : &*it;
}

}  // namespace res
