// SPDX-License-Identifier: GPL-3.0-or-later
// Thousands of random games on every board size and kind count, checked move
// by move against a plain model of the rules.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

#include "game/karoblen_doc.h"
#include "tests/game/karoblen_doc_test_access.h"

namespace {
using Access = CKaroblenDocTestAccess;
using Rows = Access::Rows;

constexpr int kGamesPerSetting = 250;

// The model's group: a flood fill with an explicit stack, deliberately unlike
// the document's repeated board passes.
std::vector<std::pair<int, int>> ModelGroup(const Rows& rows, int c0, int r0) {
  const int height = static_cast<int>(rows.size());
  const int width = static_cast<int>(rows[0].size());
  const char kind = rows[r0][c0];
  std::vector<std::pair<int, int>> group;
  if (kind == '.') return group;
  std::vector<std::string> seen(height, std::string(width, '\0'));
  std::vector<std::pair<int, int>> stack{{c0, r0}};
  seen[r0][c0] = 1;
  while (!stack.empty()) {
    const auto [c, r] = stack.back();
    stack.pop_back();
    group.emplace_back(c, r);
    const int next[4][2] = {{c - 1, r}, {c + 1, r}, {c, r - 1}, {c, r + 1}};
    for (const auto& n : next) {
      const int nc = n[0], nr = n[1];
      if (nc >= 0 && nc < width && nr >= 0 && nr < height && !seen[nr][nc] &&
          rows[nr][nc] == kind) {
        seen[nr][nc] = 1;
        stack.emplace_back(nc, nr);
      }
    }
  }
  return group;
}

bool ColumnHasHoleUnderATile(const Rows& rows, int c) {
  bool bTileAbove = false;
  for (const auto& row : rows) {
    if (row[c] != '.')
      bTileAbove = true;
    else if (bTileAbove)
      return true;
  }
  return false;
}

// Gravity, then the columns with tiles side by side from the left.
Rows ModelSettleAndPack(const Rows& rows) {
  const int height = static_cast<int>(rows.size());
  const int width = static_cast<int>(rows[0].size());
  Rows result(height, std::string(width, '.'));
  int target = 0;
  for (int c = 0; c < width; ++c) {
    std::string column;
    for (int r = height - 1; r >= 0; --r)
      if (rows[r][c] != '.') column += rows[r][c];
    if (column.empty()) continue;
    for (int i = 0; i < static_cast<int>(column.size()); ++i)
      result[height - 1 - i][target] = column[i];
    ++target;
  }
  return result;
}

int CountTiles(const Rows& rows) {
  int n = 0;
  for (const auto& row : rows)
    for (const char ch : row) n += ch != '.';
  return n;
}

struct Position {
  Rows board;
  int nScore;
  int nTilesLeft;
};

Position Snapshot(const CKaroblenDoc& doc) {
  return {Access::Board(doc), doc.GetScore(), doc.GetTilesLeft()};
}

void ExpectSamePosition(const CKaroblenDoc& doc, const Position& expected) {
  EXPECT_EQ(Access::Board(doc), expected.board);
  EXPECT_EQ(doc.GetScore(), expected.nScore);
  EXPECT_EQ(doc.GetTilesLeft(), expected.nTilesLeft);
}

// Plays one game to its end; returns false as soon as something went wrong,
// so a broken engine fails fast instead of flooding the log.
bool PlayRandomGame(int nBoardSize, int nKinds, std::mt19937& rng) {
  const int width = kBoardDimensions[nBoardSize].nColumns;
  const int height = kBoardDimensions[nBoardSize].nRows;
  Rows deal(height, std::string(width, '.'));
  for (auto& row : deal)
    for (auto& ch : row) ch = static_cast<char>('0' + rng() % nKinds);

  CKaroblenDoc doc;
  Access::Lay(doc, nBoardSize, nKinds, deal);
  int nExpectedScore = 0;

  for (;;) {
    const Rows board = Access::Board(doc);
    std::vector<std::pair<int, int>> moves;
    std::vector<std::pair<int, int>> deadClicks;
    for (int c = 0; c < width; ++c)
      for (int r = 0; r < height; ++r)
        (ModelGroup(board, c, r).size() >= 2 ? moves : deadClicks).emplace_back(c, r);

    EXPECT_EQ(doc.IsGameOver(), moves.empty());
    if (moves.empty()) return !::testing::Test::HasFailure();

    const Position before = Snapshot(doc);
    const bool bCouldUndo = doc.CanUndo();
    if (!deadClicks.empty() && rng() % 4 == 0) {
      const auto [c, r] = deadClicks[rng() % deadClicks.size()];
      EXPECT_FALSE(doc.RemoveGroupAt(c, r));
      ExpectSamePosition(doc, before);
      EXPECT_EQ(doc.CanUndo(), bCouldUndo);
    }

    const auto [c, r] = moves[rng() % moves.size()];
    const auto group = ModelGroup(board, c, r);
    const int n = static_cast<int>(group.size());
    Rows removed = board;
    for (const auto& [gc, gr] : group) removed[gr][gc] = '.';
    int nColumnsToSettle = 0;
    for (int col = 0; col < width; ++col) nColumnsToSettle += ColumnHasHoleUnderATile(removed, col);

    EXPECT_EQ(doc.SelectGroupAt(c, r), n);
    EXPECT_TRUE(doc.RemoveGroupAt(c, r));
    EXPECT_EQ(Access::Board(doc), removed);
    int nDropSteps = 0;
    while (doc.DropStep()) ++nDropSteps;
    EXPECT_EQ(nDropSteps, nColumnsToSettle);
    doc.CloseEmptyColumns();

    nExpectedScore += (n - 2) * (n - 2);
    const Position after = {ModelSettleAndPack(removed), nExpectedScore, CountTiles(removed)};
    ExpectSamePosition(doc, after);
    EXPECT_TRUE(doc.CanUndo());

    // Undo and play the same move again: both directions must be exact.
    doc.RestoreUndo();
    ExpectSamePosition(doc, before);
    EXPECT_FALSE(doc.CanUndo());
    EXPECT_FALSE(doc.HasSelection());
    EXPECT_TRUE(doc.RemoveGroupAt(c, r));
    while (doc.DropStep()) {
    }
    doc.CloseEmptyColumns();
    ExpectSamePosition(doc, after);

    if (::testing::Test::HasFailure()) return false;
  }
}
}  // namespace

TEST(RandomGames, EveryMoveMatchesTheModelAndUndoesExactly) {
  for (int size = 0; size < kBoardSizeCount; ++size) {
    for (int kinds = kMinTileKinds; kinds <= kMaxTileKinds; ++kinds) {
      std::mt19937 rng(1000u * static_cast<unsigned>(size) + static_cast<unsigned>(kinds));
      for (int game = 0; game < kGamesPerSetting; ++game)
        ASSERT_TRUE(PlayRandomGame(size, kinds, rng))
            << "size " << size << ", kinds " << kinds << ", game " << game;
    }
  }
}
