// SPDX-License-Identifier: GPL-3.0-or-later
// Finding groups and the join mask that shapes their pictures.
#include <gtest/gtest.h>

#include "game/karoblen_doc.h"
#include "tests/game/karoblen_doc_test_access.h"

namespace {
using Access = CKaroblenDocTestAccess;
using Rows = Access::Rows;

// 'x' where the layout holds the given kind.
Rows CellsOfKind(const Rows& layout, char kind) {
  Rows rows = layout;
  for (auto& row : rows)
    for (auto& ch : row) ch = ch == kind ? 'x' : '.';
  return rows;
}

// A U of ten 0s open at the top; its right arm can only be reached by walking
// up, against the order in which the board is scanned.
// clang-format off
const Rows kUShape = {
    "102201",
    "102201",
    "101101",
    "100001",
    "212121",
};
// clang-format on

// A 43-tile spiral of 0s with walls of 1, entered from outside at (0, 0) and
// ending inside at (2, 4).
// clang-format off
const Rows kSpiral = {
    "0000000000",
    "1111111110",
    "0000000010",
    "0111111010",
    "0100000010",
    "0111111110",
    "0000000000",
};
// clang-format on
}  // namespace

TEST(SelectGroup, FindsAUShapeWholeFromEveryCell) {
  CKaroblenDoc doc;
  Access::Lay(doc, 0, 3, kUShape);
  const Rows expected = CellsOfKind(kUShape, '0');
  for (int c = 0; c < 6; ++c) {
    for (int r = 0; r < 5; ++r) {
      if (kUShape[r][c] != '0') continue;
      EXPECT_EQ(doc.CountGroupAt(c, r), 10) << c << "," << r;
      EXPECT_EQ(doc.SelectGroupAt(c, r), 10) << c << "," << r;
      EXPECT_EQ(Access::Selection(doc), expected) << c << "," << r;
      EXPECT_EQ(doc.CountSelected(), 10);
    }
  }
}

TEST(SelectGroup, FindsASpiralWholeFromEveryCell) {
  CKaroblenDoc doc;
  Access::Lay(doc, 1, 2, kSpiral);
  const Rows expected = CellsOfKind(kSpiral, '0');
  for (int c = 0; c < 10; ++c) {
    for (int r = 0; r < 7; ++r) {
      if (kSpiral[r][c] != '0') continue;
      EXPECT_EQ(doc.CountGroupAt(c, r), 43) << c << "," << r;
      EXPECT_EQ(doc.SelectGroupAt(c, r), 43) << c << "," << r;
      EXPECT_EQ(Access::Selection(doc), expected) << c << "," << r;
    }
  }
}

TEST(SelectGroup, TilesTouchingOnlyAtACornerAreSeparateGroups) {
  CKaroblenDoc doc;
  Access::Lay(doc, 0, 3,
              {
                  "002121",
                  "110212",
                  "120121",
                  "212121",
                  "121212",
              });
  EXPECT_EQ(doc.SelectGroupAt(1, 0), 2);
  EXPECT_EQ(Access::Selection(doc), (Rows{"xx....", "......", "......", "......", "......"}));
  EXPECT_EQ(doc.SelectGroupAt(2, 2), 2);
  EXPECT_EQ(Access::Selection(doc), (Rows{"......", "..x...", "..x...", "......", "......"}));
}

TEST(SelectGroup, LoneTileAndEmptyCellSelectNothing) {
  CKaroblenDoc doc;
  Access::Lay(doc, 0, 3,
              {
                  "010101",
                  "101010",
                  "010101",
                  "101010",
                  "22....",
              });
  ASSERT_EQ(doc.SelectGroupAt(0, 4), 2);

  // Counting a group leaves the highlight as it is.
  EXPECT_EQ(doc.CountGroupAt(2, 2), 1);
  EXPECT_EQ(doc.CountGroupAt(4, 4), 0);
  EXPECT_EQ(doc.CountGroupAt(1, 4), 2);
  EXPECT_EQ(Access::Selection(doc), (Rows{"......", "......", "......", "......", "xx...."}));

  // A lone tile also wipes the previous highlight.
  EXPECT_EQ(doc.SelectGroupAt(2, 2), 0);
  EXPECT_FALSE(doc.HasSelection());
  EXPECT_EQ(doc.CountSelected(), 0);

  ASSERT_EQ(doc.SelectGroupAt(1, 4), 2);
  EXPECT_EQ(doc.SelectGroupAt(4, 4), 0);
  EXPECT_FALSE(doc.HasSelection());
  EXPECT_EQ(doc.GetTile(4, 4), -1);
}

TEST(SelectGroup, WholeBoardOfOneKindIsOneGroup) {
  CKaroblenDoc doc;
  Access::Lay(doc, 2, 2, Rows(8, std::string(16, '1')));
  EXPECT_EQ(doc.SelectGroupAt(15, 7), 128);
  EXPECT_EQ(doc.SelectGroupAt(0, 0), 128);
  EXPECT_TRUE(doc.HasSelection());
}

TEST(SelectGroup, IgnoresLikeTilesOutsideASmallerBoard) {
  CKaroblenDoc doc;
  Access::FillGrid(doc, 0);
  Access::Lay(doc, 0, 3,
              {
                  "121210",
                  "212121",
                  "121212",
                  "212121",
                  "121210",
              });
  // (5, 0) and (5, 4) would join through column 6 or row 5 if those counted.
  EXPECT_EQ(doc.SelectGroupAt(5, 0), 0);
  EXPECT_EQ(doc.SelectGroupAt(5, 4), 0);
  EXPECT_TRUE(doc.IsGameOver());
}

TEST(JoinMask, FullBoardOfOneKindStopsAtEveryEdge) {
  CKaroblenDoc doc;
  // Like tiles all around the small board must not reach into it.
  Access::FillGrid(doc, 0);
  Access::Lay(doc, 0, 2, Rows(5, std::string(6, '0')));
  const int expected[5][6] = {
      {6, 14, 14, 14, 14, 12}, {7, 15, 15, 15, 15, 13}, {7, 15, 15, 15, 15, 13},
      {7, 15, 15, 15, 15, 13}, {3, 11, 11, 11, 11, 9},
  };
  for (int r = 0; r < 5; ++r)
    for (int c = 0; c < 6; ++c) EXPECT_EQ(doc.GetJoinMask(c, r), expected[r][c]) << c << "," << r;
}

TEST(JoinMask, CountsOnlySameKindOrthogonalNeighboursAndIgnoresSelection) {
  CKaroblenDoc doc;
  Access::Lay(doc, 0, 3,
              {
                  "001122",
                  "012120",
                  "222100",
                  "1.1.01",
                  "120201",
              });
  doc.SelectGroupAt(0, 0);
  const int expected[5][6] = {
      {6, 8, 2, 12, 6, 8}, {1, 0, 4, 5, 1, 4}, {2, 10, 9, 1, 6, 9},
      {4, 0, 0, 0, 5, 4},  {1, 0, 0, 0, 1, 1},
  };
  for (int r = 0; r < 5; ++r)
    for (int c = 0; c < 6; ++c) {
      if (doc.GetTile(c, r) >= 0) {
        EXPECT_EQ(doc.GetJoinMask(c, r), expected[r][c]) << c << "," << r;
      }
    }
}
