// SPDX-License-Identifier: GPL-3.0-or-later
// The hint's search: its moves are legal, it finds clearings laid out by
// hand, its exact verdicts agree with trying every order of moves, it
// answers the same position the same way, and it stops when asked.
#include "game/hint_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <climits>
#include <random>

#include "tests/game/karoblen_doc_test_access.h"

namespace {
using Access = CKaroblenDocTestAccess;
using Rows = Access::Rows;

constexpr int kSmall = 0;
constexpr int kMedium = 1;
constexpr int kLarge = 2;

void Deal(CKaroblenDoc& doc, int nBoardSize, int nKinds, unsigned nSeed) {
  const BoardDimensions d = kBoardDimensions[static_cast<std::size_t>(nBoardSize)];
  std::mt19937 rng(nSeed);
  Rows rows(static_cast<std::size_t>(d.nRows),
            std::string(static_cast<std::size_t>(d.nColumns), '.'));
  for (auto& row : rows)
    for (auto& ch : row) ch = static_cast<char>('0' + rng() % static_cast<unsigned>(nKinds));
  Access::Lay(doc, nBoardSize, nKinds, rows);
}

void Play(CKaroblenDoc& doc, int nColumn, int nRow) {
  ASSERT_TRUE(doc.RemoveGroupAt(nColumn, nRow));
  while (doc.DropStep()) {
  }
  doc.CloseEmptyColumns();
}

// Plays the hints to the end, checking that each is a move of the board.
void PlayHints(CKaroblenDoc& doc, const HintEffort& effort = kHintEffort) {
  while (!doc.IsGameOver()) {
    const Hint hint = FindHint(PositionOf(doc), effort);
    ASSERT_TRUE(hint.bHasMove);
    ASSERT_GE(hint.nGroupSize, 2);
    ASSERT_EQ(doc.GetTile(hint.nColumn, hint.nRow), hint.nKind);
    ASSERT_EQ(doc.CountGroupAt(hint.nColumn, hint.nRow), hint.nGroupSize);
    Play(doc, hint.nColumn, hint.nRow);
  }
}

// Every order of moves, one group at a time, through the game's own rules.
struct Outcome {
  int nBestFinal = INT_MIN;
  bool bCanClear = false;
};
Outcome TryEveryOrder(const CKaroblenDoc& doc) {
  if (doc.IsGameOver())
    return {FinalScore(doc.GetScore(), doc.GetTilesLeft()), doc.GetTilesLeft() == 0};
  Outcome best;
  CKaroblenDoc seen = doc;
  for (int c = 0; c < doc.GetWidth(); ++c)
    for (int r = 0; r < doc.GetHeight(); ++r) {
      if (seen.GetTile(c, r) < 0 || seen.IsSelected(c, r) || seen.CountGroupAt(c, r) < 2) continue;
      // Mark the group as tried; the marks pile up in the copy only.
      CKaroblenDoc marks = seen;
      marks.SelectGroupAt(c, r);
      for (int i = 0; i < doc.GetWidth(); ++i)
        for (int j = 0; j < doc.GetHeight(); ++j)
          if (marks.IsSelected(i, j)) seen.SelectGroupAt(i, j);
      CKaroblenDoc next = doc;
      Play(next, c, r);
      const Outcome o = TryEveryOrder(next);
      best.nBestFinal = std::max(best.nBestFinal, o.nBestFinal);
      best.bCanClear = best.bCanClear || o.bCanClear;
    }
  return best;
}

TEST(HintSearch, EveryHintIsAMoveOfTheBoardUntilTheGameEnds) {
  for (int kinds = 2; kinds <= 5; ++kinds)
    for (unsigned seed = 1; seed <= 3; ++seed) {
      CKaroblenDoc doc;
      Deal(doc, kSmall, kinds, seed);
      PlayHints(doc);
    }
  CKaroblenDoc medium;
  Deal(medium, kMedium, 3, 11);
  PlayHints(medium, {5000, 2000});
  CKaroblenDoc large;
  Deal(large, kLarge, 5, 12);
  PlayHints(large, {2000, 500});
}

TEST(HintSearch, FindsTheClearingOfBoardsLaidOutByHand) {
  struct Case {
    int nBoardSize;
    int nKinds;
    Rows rows;
    bool bLargestFirstFails = false;
  };
  const Case cases[] = {
      // The 1s must go first, so that the two 0s meet.
      {kSmall, 2, {"......", "......", "0.....", "11....", "01...."}},
      // Only one first move leads to a clearing, and it is not the largest
      // group.
      {kSmall, 3, {"......", "......", ".0.2..", "2020..", "1121.."}, true},
      // Blocks of two columns: the 1 blocks must go before the 0s join.
      {kLarge, 2, Rows(8, "0011001100110011")},
      // Rows of alternating kinds fall onto one another.
      {kMedium,
       2,
       {"0000000000", "1111111111", "0000000000", "1111111111", "0000000000", "1111111111",
        "0000000000"}},
  };
  for (const Case& c : cases) {
    CKaroblenDoc doc;
    Access::Lay(doc, c.nBoardSize, c.nKinds, c.rows);
    const Hint hint = FindHint(PositionOf(doc));
    EXPECT_EQ(hint.verdict, ClearVerdict::CanClear) << c.rows[4];
    if (c.bLargestFirstFails) {
      CKaroblenDoc greedy = doc;
      while (!greedy.IsGameOver()) {
        const Hint largest = LargestGroupMove(PositionOf(greedy));
        Play(greedy, largest.nColumn, largest.nRow);
      }
      EXPECT_GT(greedy.GetTilesLeft(), 0) << "the board needs no search";
    }
    EXPECT_GE(hint.nBestFinal, kClearedBoardBonus);
    PlayHints(doc);
    EXPECT_EQ(doc.GetTilesLeft(), 0) << c.rows[4];
  }
}

TEST(HintSearch, ExactVerdictsAgreeWithTryingEveryOrder) {
  std::mt19937 rng(2026);
  for (int n = 0; n < 40; ++n) {
    const int kinds = 2 + n % 3;
    Rows rows(5, "......");
    // Four columns of up to four tiles, the rest empty: small enough to try
    // every order of moves.
    for (int c = 0; c < 4; ++c)
      for (int r = 1; r < 5; ++r)
        rows[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] =
            static_cast<char>('0' + rng() % static_cast<unsigned>(kinds));
    CKaroblenDoc doc;
    Access::Lay(doc, kSmall, kinds, rows);
    const Outcome expected = TryEveryOrder(doc);
    const Hint hint = FindHint(PositionOf(doc));
    EXPECT_TRUE(hint.bOptimal) << n;
    EXPECT_EQ(hint.nBestFinal, expected.nBestFinal) << n;
    EXPECT_EQ(hint.verdict, expected.bCanClear ? ClearVerdict::CanClear : ClearVerdict::CannotClear)
        << n;
    if (hint.bHasMove) {
      // The hinted move leads to the best final score there is.
      Play(doc, hint.nColumn, hint.nRow);
      EXPECT_EQ(TryEveryOrder(doc).nBestFinal, expected.nBestFinal) << n;
    }
  }
}

TEST(HintSearch, ProvesWhatCannotBeCleared) {
  // One tile of kind 2 can never go: said without searching to the end.
  CKaroblenDoc lone;
  Rows rows(8, "0011001100110011");
  rows[0][0] = '2';
  Access::Lay(lone, kLarge, 3, rows);
  EXPECT_EQ(FindHint(PositionOf(lone)).verdict, ClearVerdict::CannotClear);
  // No kind alone, yet every order leaves tiles: the Small search is exact.
  CKaroblenDoc stuck;
  Access::Lay(stuck, kSmall, 2, {"......", "......", "......", "0101..", "0110.."});
  const Hint hint = FindHint(PositionOf(stuck));
  EXPECT_EQ(hint.verdict, ClearVerdict::CannotClear);
  EXPECT_TRUE(hint.bOptimal);
  // A board with no move at all has nothing to hint.
  CKaroblenDoc over;
  Access::Lay(over, kSmall, 2, {"......", "......", "......", "......", "0101.."});
  EXPECT_FALSE(FindHint(PositionOf(over)).bHasMove);
}

TEST(HintSearch, TheSamePositionGivesTheSameHint) {
  for (const int size : {kSmall, kMedium, kLarge}) {
    CKaroblenDoc doc;
    Deal(doc, size, 5, 7);
    const Hint first = FindHint(PositionOf(doc));
    // Leftovers outside the board and a different score do not matter to
    // the move.
    CKaroblenDoc::TileGrid grid;
    grid.fill(3);
    for (int c = 0; c < doc.GetWidth(); ++c)
      for (int r = 0; r < doc.GetHeight(); ++r)
        grid[GridIndex(c, r)] = static_cast<std::int8_t>(doc.GetTile(c, r));
    CKaroblenDoc again;
    again.SetBoardSize(size);
    again.SetGrid(grid);
    const Hint second = FindHint(PositionOf(again));
    EXPECT_EQ(first.nColumn, second.nColumn) << size;
    EXPECT_EQ(first.nRow, second.nRow) << size;
    EXPECT_EQ(first.nBestFinal, second.nBestFinal) << size;
    EXPECT_EQ(first.verdict, second.verdict) << size;
    EXPECT_EQ(first.nVisited, second.nVisited) << size;
  }
}

TEST(HintSearch, StopsWhenCancelled) {
  CKaroblenDoc doc;
  Deal(doc, kLarge, 5, 3);
  std::atomic<bool> cancel{true};
  const Hint hint = FindHint(PositionOf(doc), kHintEffort, &cancel);
  EXPECT_TRUE(hint.bCancelled);
  EXPECT_LT(hint.nVisited, 1000);
}

// The last beam is sized from what the first cost, so the hint spends most
// of its allowance, and never much more, whatever the board.
TEST(HintSearch, SpendsAboutItsAllowance) {
  constexpr HintEffort kEffort{20000, 0};
  for (const unsigned seed : {1u, 2u, 3u, 4u}) {
    CKaroblenDoc doc;
    Deal(doc, kLarge, 5, seed);
    const Hint hint = FindHint(PositionOf(doc), kEffort);
    EXPECT_GE(hint.nVisited, kEffort.nBeamNodes / 2) << seed;
    EXPECT_LE(hint.nVisited, kEffort.nBeamNodes * 5 / 4) << seed;
  }
}

TEST(HintSearch, LargestGroupMoveTakesTheFirstOfTheLargest) {
  CKaroblenDoc doc;
  Access::Lay(doc, kSmall, 3, {"......", "......", "22....", "1100..", "10002."});
  const Hint hint = LargestGroupMove(PositionOf(doc));
  EXPECT_EQ(hint.nKind, 0);
  EXPECT_EQ(hint.nGroupSize, 5);
}
}  // namespace
