// SPDX-License-Identifier: GPL-3.0-or-later
// Removing a group, its score, and taking the move back.
#include <gtest/gtest.h>

#include <string>

#include "game/karoblen_doc.h"
#include "tests/game/karoblen_doc_test_access.h"

namespace {
using Access = CKaroblenDocTestAccess;
using Rows = Access::Rows;

// Large board whose 1/2 checkerboard offers no move, with a run of n 0s
// starting at the bottom-left corner.
Rows CheckerboardWithBottomRun(int n) {
  Rows rows(8, std::string(16, '.'));
  for (int r = 0; r < 8; ++r)
    for (int c = 0; c < 16; ++c) rows[r][c] = (c + r) % 2 == 0 ? '1' : '2';
  for (int c = 0; c < n; ++c) rows[7][c] = '0';
  return rows;
}

// The view's whole move: removal, settling until done, closing columns.
struct MoveResult {
  bool bRemoved = false;
  int nDropSteps = 0;
  bool bClosed = false;
};
MoveResult PlayMove(CKaroblenDoc& doc, int c, int r) {
  MoveResult result;
  result.bRemoved = doc.RemoveGroupAt(c, r);
  if (!result.bRemoved) return result;
  while (doc.DropStep()) ++result.nDropSteps;
  result.bClosed = doc.CloseEmptyColumns();
  return result;
}

// Before: a 3-tile group of 0s whose removal drops column 2.
// clang-format off
const Rows kBeforeFirstMove = {
    "......",
    "..1...",
    "120...",
    "2200..",
    "1211..",
};
// clang-format on
// After the first move: a 4-tile group of 2s that empties column 1.
// clang-format off
const Rows kAfterFirstMove = {
    "......",
    "......",
    "12....",
    "221...",
    "1211..",
};
// clang-format on
}  // namespace

TEST(Removal, ScoresTheSquareOfTheTilesBeyondTwo) {
  const struct { int n, points; } cases[] = {{2, 0}, {3, 1}, {4, 4}, {5, 9}, {10, 64}, {16, 196}};
  for (const auto& tc : cases) {
    CKaroblenDoc doc;
    Access::Lay(doc, 2, 3, CheckerboardWithBottomRun(tc.n));
    ASSERT_TRUE(doc.RemoveGroupAt(0, 7)) << tc.n;
    EXPECT_EQ(doc.GetScore(), tc.points) << tc.n;
    EXPECT_EQ(GroupScore(tc.n), tc.points) << tc.n;
    EXPECT_EQ(doc.GetTilesLeft(), 128 - tc.n) << tc.n;
    EXPECT_TRUE(doc.CanUndo()) << tc.n;
  }
}

TEST(Removal, ClearingAFullLargeBoardScores15876) {
  CKaroblenDoc doc;
  Access::Lay(doc, 2, 2, Rows(8, std::string(16, '0')));
  ASSERT_TRUE(doc.RemoveGroupAt(7, 3));
  EXPECT_EQ(doc.GetScore(), 15876);
  EXPECT_EQ(doc.GetTilesLeft(), 0);
  EXPECT_TRUE(doc.IsGameOver());
}

TEST(Removal, LeavesUnsettledHolesOfByte0xFFAndNoSelection) {
  CKaroblenDoc doc;
  Access::Lay(doc, 0, 3, kBeforeFirstMove);
  doc.SelectGroupAt(0, 4);
  ASSERT_EQ(doc.SelectGroupAt(0, 3), 4);

  // The group comes from the clicked cell, not from the highlight.
  ASSERT_TRUE(doc.RemoveGroupAt(2, 2));
  EXPECT_EQ(Access::Board(doc), (Rows{
                                    "......",
                                    "..1...",
                                    "12....",
                                    "22....",
                                    "1211..",
                                }));
  EXPECT_EQ(Access::RawByte(doc, 2, 2), 0xFF);
  EXPECT_EQ(doc.GetTile(3, 3), -1);
  EXPECT_FALSE(doc.HasSelection());
  EXPECT_EQ(doc.GetScore(), 1);
  EXPECT_EQ(doc.GetTilesLeft(), 9);
}

TEST(Removal, LoneTileClickChangesNothingNotEvenTheUndoSnapshot) {
  CKaroblenDoc doc;
  Access::Lay(doc, 0, 3, kBeforeFirstMove);
  EXPECT_FALSE(doc.RemoveGroupAt(2, 1));
  EXPECT_FALSE(doc.CanUndo());

  ASSERT_TRUE(PlayMove(doc, 2, 2).bRemoved);
  const Rows afterMove = Access::Board(doc);
  doc.SelectGroupAt(0, 3);

  EXPECT_FALSE(doc.RemoveGroupAt(0, 2));  // a lone 1
  EXPECT_EQ(Access::Board(doc), afterMove);
  EXPECT_EQ(doc.GetScore(), 1);
  EXPECT_EQ(doc.GetTilesLeft(), 9);
  EXPECT_TRUE(doc.CanUndo());
  EXPECT_FALSE(doc.HasSelection());

  doc.RestoreUndo();
  EXPECT_EQ(Access::Board(doc), kBeforeFirstMove);
  EXPECT_EQ(doc.GetScore(), 0);
  EXPECT_EQ(doc.GetTilesLeft(), 12);
}

TEST(Removal, EmptyCellClickKeepsTheHighlightAndTheUndoSnapshot) {
  CKaroblenDoc doc;
  Access::Lay(doc, 0, 3, kBeforeFirstMove);
  ASSERT_TRUE(PlayMove(doc, 2, 2).bRemoved);
  ASSERT_EQ(doc.SelectGroupAt(1, 2), 4);
  const Rows highlight = Access::Selection(doc);

  EXPECT_FALSE(doc.RemoveGroupAt(5, 0));
  EXPECT_EQ(Access::Selection(doc), highlight);
  EXPECT_EQ(Access::Board(doc), kAfterFirstMove);
  EXPECT_EQ(doc.GetScore(), 1);
  EXPECT_TRUE(doc.CanUndo());
}

TEST(Undo, TakesBackRemovalSettlingAndColumnClosingExactly) {
  CKaroblenDoc doc;
  Access::Lay(doc, 0, 3, kBeforeFirstMove);

  const MoveResult first = PlayMove(doc, 3, 3);
  ASSERT_TRUE(first.bRemoved);
  EXPECT_EQ(first.nDropSteps, 1);
  EXPECT_FALSE(first.bClosed);
  ASSERT_EQ(Access::Board(doc), kAfterFirstMove);
  ASSERT_EQ(doc.GetScore(), 1);
  ASSERT_EQ(doc.GetTilesLeft(), 9);

  const MoveResult second = PlayMove(doc, 1, 3);
  ASSERT_TRUE(second.bRemoved);
  EXPECT_EQ(second.nDropSteps, 1);
  EXPECT_TRUE(second.bClosed);
  EXPECT_EQ(Access::Board(doc), (Rows{
                                    "......",
                                    "......",
                                    "......",
                                    "11....",
                                    "111...",
                                }));
  EXPECT_EQ(doc.GetScore(), 5);
  EXPECT_EQ(doc.GetTilesLeft(), 5);

  doc.SelectGroupAt(0, 4);
  doc.RestoreUndo();
  EXPECT_EQ(Access::Board(doc), kAfterFirstMove);
  EXPECT_EQ(doc.GetScore(), 1);
  EXPECT_EQ(doc.GetTilesLeft(), 9);
  EXPECT_FALSE(doc.HasSelection());
  EXPECT_FALSE(doc.CanUndo());

  // The next removal takes a fresh snapshot.
  ASSERT_TRUE(PlayMove(doc, 0, 3).bRemoved);
  EXPECT_TRUE(doc.CanUndo());
  doc.RestoreUndo();
  EXPECT_EQ(Access::Board(doc), kAfterFirstMove);
  EXPECT_EQ(doc.GetScore(), 1);
}

TEST(Undo, PairWorthNothingIsStillAnUndoableMove) {
  CKaroblenDoc doc;
  Access::Lay(doc, 2, 3, CheckerboardWithBottomRun(2));
  const Rows before = Access::Board(doc);
  ASSERT_TRUE(PlayMove(doc, 1, 7).bRemoved);
  EXPECT_EQ(doc.GetScore(), 0);
  EXPECT_EQ(doc.GetTilesLeft(), 126);
  ASSERT_TRUE(doc.CanUndo());
  doc.RestoreUndo();
  EXPECT_EQ(Access::Board(doc), before);
  EXPECT_EQ(doc.GetTilesLeft(), 128);
}
