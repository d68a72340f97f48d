// SPDX-License-Identifier: GPL-3.0-or-later
// Settling after a removal, closing empty columns and the end-of-game test.
#include <gtest/gtest.h>

#include <string>

#include "game/karoblen_doc.h"
#include "tests/game/karoblen_doc_test_access.h"

namespace {
using Access = CKaroblenDocTestAccess;
using Rows = Access::Rows;

// Small board with no two like neighbours: across a row the kind steps by 1,
// down a column by 2 (mod 3).
Rows NoPairsSmallBoard() {
  Rows rows(5, std::string(6, '.'));
  for (int r = 0; r < 5; ++r)
    for (int c = 0; c < 6; ++c) rows[r][c] = static_cast<char>('0' + (c + 2 * r) % 3);
  return rows;
}
}  // namespace

TEST(DropStep, SettledBoardIsLeftAlone) {
  CKaroblenDoc doc;
  // Empty rows below the board must not pull its tiles further down.
  Access::FillGrid(doc, EmptyCell);
  // clang-format off
  const Rows settled = {
      "......",
      "1.....",
      "2..1..",
      "1.21..",
      "21212.",
  };
  // clang-format on
  Access::Lay(doc, 0, 3, settled);
  EXPECT_FALSE(doc.DropStep());
  EXPECT_EQ(Access::Board(doc), settled);
}

TEST(DropStep, GroupTakenFromTheTopOfAColumnNeedsNoStep) {
  CKaroblenDoc doc;
  Access::Lay(doc, 0, 3,
              {
                  "0.....",
                  "0.....",
                  "1.....",
                  "2..1..",
                  "12121.",
              });
  ASSERT_TRUE(doc.RemoveGroupAt(0, 0));
  EXPECT_FALSE(doc.DropStep());
  EXPECT_FALSE(doc.CloseEmptyColumns());
  EXPECT_EQ(Access::Board(doc), (Rows{
                                    "......",
                                    "......",
                                    "1.....",
                                    "2..1..",
                                    "12121.",
                                }));
}

TEST(DropStep, SettlesOneWholeColumnPerCallLeftToRight) {
  CKaroblenDoc doc;
  Access::Lay(doc, 0, 3,
              {
                  "121212",
                  "212121",
                  "120002",
                  "212121",
                  "121212",
              });
  ASSERT_TRUE(doc.RemoveGroupAt(3, 2));

  ASSERT_TRUE(doc.DropStep());
  EXPECT_EQ(Access::Board(doc), (Rows{"12.212", "211121", "122..2", "212121", "121212"}));
  ASSERT_TRUE(doc.DropStep());
  EXPECT_EQ(Access::Board(doc), (Rows{"12..12", "211221", "1221.2", "212121", "121212"}));
  ASSERT_TRUE(doc.DropStep());
  const Rows settled = {"12...2", "211211", "122122", "212121", "121212"};
  EXPECT_EQ(Access::Board(doc), settled);
  EXPECT_FALSE(doc.DropStep());
  EXPECT_EQ(Access::Board(doc), settled);
}

TEST(DropStep, ColumnWithTwoHolesSettlesInOneCallKeepingItsOrder) {
  CKaroblenDoc doc;
  Access::Lay(doc, 0, 4,
              {
                  "213212",
                  "200121",
                  "120212",
                  "200121",
                  "131212",
              });
  ASSERT_TRUE(doc.RemoveGroupAt(1, 1));
  EXPECT_EQ(doc.GetScore(), 9);

  ASSERT_TRUE(doc.DropStep());
  EXPECT_EQ(Access::Board(doc), (Rows{"2.3212", "2..121", "11.212", "22.121", "131212"}));
  ASSERT_TRUE(doc.DropStep());
  EXPECT_EQ(Access::Board(doc), (Rows{"2..212", "2..121", "11.212", "223121", "131212"}));
  EXPECT_FALSE(doc.DropStep());
}

TEST(DropStep, TouchesNeitherScoreNorUndoNorSelection) {
  CKaroblenDoc doc;
  Access::Lay(doc, 0, 3,
              {
                  "1.....",
                  "00....",
                  "21....",
                  "12....",
                  "22....",
              });
  ASSERT_TRUE(doc.RemoveGroupAt(0, 1));
  ASSERT_EQ(doc.SelectGroupAt(1, 4), 3);
  const Rows selection = Access::Selection(doc);
  ASSERT_TRUE(doc.DropStep());
  EXPECT_FALSE(doc.DropStep());
  EXPECT_FALSE(doc.CloseEmptyColumns());
  EXPECT_EQ(doc.GetScore(), 0);
  EXPECT_EQ(doc.GetTilesLeft(), 7);
  EXPECT_TRUE(doc.CanUndo());
  EXPECT_EQ(Access::Selection(doc), selection);
}

TEST(CloseEmptyColumns, SingleGapInTheMiddleShiftsEverythingRightOfIt) {
  CKaroblenDoc doc;
  Access::Lay(doc, 0, 5,
              {
                  "......",
                  "......",
                  "0...2.",
                  "12.314",
                  "21.432",
              });
  EXPECT_TRUE(doc.CloseEmptyColumns());
  EXPECT_EQ(Access::Board(doc), (Rows{
                                    "......",
                                    "......",
                                    "0..2..",
                                    "12314.",
                                    "21432.",
                                }));
}

TEST(CloseEmptyColumns, GapsAtTheRightEdgeOnlyMoveNothing) {
  CKaroblenDoc doc;
  // Tiles in the columns beyond the small board must not be pulled in.
  Access::FillGrid(doc, 0);
  // clang-format off
  const Rows packed = {
      "......",
      "......",
      "......",
      "1234..",
      "4321..",
  };
  // clang-format on
  Access::Lay(doc, 0, 5, packed);
  EXPECT_FALSE(doc.CloseEmptyColumns());
  EXPECT_EQ(Access::Board(doc), packed);
}

TEST(CloseEmptyColumns, GapsAtZeroTwoAndThreePackColumnsInTheirOrder) {
  CKaroblenDoc doc;
  Access::Lay(doc, 0, 5,
              {
                  "......",
                  "......",
                  ".1..2.",
                  ".2..31",
                  ".3..44",
              });
  doc.SelectGroupAt(5, 4);
  EXPECT_TRUE(doc.CloseEmptyColumns());
  EXPECT_EQ(Access::Board(doc), (Rows{
                                    "......",
                                    "......",
                                    "12....",
                                    "231...",
                                    "344...",
                                }));
  // The selection flags stay where they were; the view reselects afterwards.
  EXPECT_EQ(doc.CountSelected(), 2);
  EXPECT_TRUE(doc.IsSelected(4, 4));
  EXPECT_TRUE(doc.IsSelected(5, 4));
}

TEST(CloseEmptyColumns, EmptyBoardMovesNothingAndIsOver) {
  CKaroblenDoc doc;
  Access::Lay(doc, 2, 3, Rows(8, std::string(16, '.')));
  EXPECT_FALSE(doc.CloseEmptyColumns());
  EXPECT_FALSE(doc.DropStep());
  EXPECT_TRUE(doc.IsGameOver());
}

TEST(IsGameOver, TilesTouchingOnlyAtCornersDoNotKeepTheGameGoing) {
  CKaroblenDoc doc;
  Access::Lay(doc, 0, 2,
              {
                  "......",
                  "......",
                  "0.....",
                  "10101.",
                  "01010.",
              });
  EXPECT_TRUE(doc.IsGameOver());
}

TEST(IsGameOver, AnySinglePairOfLikeNeighboursKeepsTheGameGoing) {
  CKaroblenDoc doc;
  // Like tiles outside the small board must not count as neighbours.
  Access::FillGrid(doc, 0);
  const Rows base = NoPairsSmallBoard();
  Access::Lay(doc, 0, 3, base);
  ASSERT_TRUE(doc.IsGameOver());

  for (int r = 0; r < 5; ++r) {
    for (int c = 0; c < 6; ++c) {
      if (c + 1 < 6) {
        Rows rows = base;
        rows[r][c + 1] = rows[r][c];
        Access::Lay(doc, 0, 3, rows);
        EXPECT_FALSE(doc.IsGameOver()) << "across at " << c << "," << r;
      }
      if (r + 1 < 5) {
        Rows rows = base;
        rows[r + 1][c] = rows[r][c];
        Access::Lay(doc, 0, 3, rows);
        EXPECT_FALSE(doc.IsGameOver()) << "down at " << c << "," << r;
      }
    }
  }
}
