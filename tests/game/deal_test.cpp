// SPDX-License-Identifier: GPL-3.0-or-later
// Construction, dealing and the board-size / kind-count settings.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <string>

#include "game/karoblen_doc.h"
#include "tests/game/karoblen_doc_test_access.h"

namespace {
using Access = CKaroblenDocTestAccess;
using Rows = Access::Rows;

// Runs a deal and reports the clock second it used, retrying when the clock
// ticked over during the call so the seed is known.
std::time_t DealWithinOneSecond(CKaroblenDoc& doc) {
  for (;;) {
    const std::time_t before = std::time(nullptr);
    EXPECT_TRUE(doc.OnNewDocument());
    if (std::time(nullptr) == before) return before;
  }
}

Rows ExpectedDeal(std::time_t seed, int nColumns, int nRows, int nKinds) {
  std::srand(static_cast<unsigned>(seed));
  Rows rows(nRows, std::string(nColumns, '.'));
  for (int c = 0; c < nColumns; ++c)
    for (int r = 0; r < nRows; ++r) rows[r][c] = static_cast<char>('0' + std::rand() % nKinds);
  return rows;
}
}  // namespace

TEST(Construction, IsAnEmptyMediumBoardWithThreeKinds) {
  const CKaroblenDoc doc;
  EXPECT_EQ(doc.GetBoardSize(), 1);
  EXPECT_EQ(doc.GetWidth(), 10);
  EXPECT_EQ(doc.GetHeight(), 7);
  EXPECT_EQ(doc.GetTileKinds(), 3);
  EXPECT_EQ(doc.GetScore(), 0);
  EXPECT_EQ(doc.GetTilesLeft(), 0);
  EXPECT_FALSE(doc.CanUndo());
  EXPECT_FALSE(doc.HasSelection());
  for (int c = 0; c < 10; ++c)
    for (int r = 0; r < 7; ++r) EXPECT_EQ(doc.GetTile(c, r), -1);
}

TEST(Constants, MatchTheBoardTable) {
  EXPECT_EQ(static_cast<std::uint8_t>(EmptyCell), 0xFF);
  EXPECT_EQ(EmptyCell, -1);

  CKaroblenDoc doc;
  const int expected[3][2] = {{6, 5}, {10, 7}, {16, 8}};
  for (int size = 0; size < 3; ++size) {
    doc.SetBoardSize(size);
    EXPECT_EQ(doc.GetBoardSize(), size);
    EXPECT_EQ(doc.GetWidth(), expected[size][0]);
    EXPECT_EQ(doc.GetHeight(), expected[size][1]);
  }
}

TEST(Deal, IsSeededFromTheClockAndFilledColumnByColumnTopDown) {
  const struct {
    int size, kinds, columns, rows;
  } cases[] = {{0, 2, 6, 5}, {1, 3, 10, 7}, {2, 5, 16, 8}};
  for (const auto& tc : cases) {
    CKaroblenDoc doc;
    doc.SetBoardSize(tc.size);
    doc.SetTileKinds(tc.kinds);
    const std::time_t seed = DealWithinOneSecond(doc);
    EXPECT_EQ(Access::Board(doc), ExpectedDeal(seed, tc.columns, tc.rows, tc.kinds))
        << "size " << tc.size;
    // The clock's second is the board's number.
    EXPECT_EQ(doc.GetBoardNumber(), static_cast<unsigned>(seed));
    EXPECT_EQ(doc.GetTilesLeft(), tc.columns * tc.rows);
  }
}

TEST(Deal, TwoGamesInTheSameSecondGetTheSameBoard) {
  for (;;) {
    CKaroblenDoc first;
    CKaroblenDoc second;
    const std::time_t before = std::time(nullptr);
    ASSERT_TRUE(first.OnNewDocument());
    std::rand();  // whatever ran in between must not matter
    ASSERT_TRUE(second.OnNewDocument());
    if (std::time(nullptr) != before) continue;
    EXPECT_EQ(Access::Board(first), Access::Board(second));
    return;
  }
}

TEST(Deal, LargeBoardHas128TilesOfTheChosenKinds) {
  CKaroblenDoc doc;
  doc.SetBoardSize(2);
  doc.SetTileKinds(2);
  ASSERT_TRUE(doc.OnNewDocument());
  EXPECT_EQ(doc.GetTilesLeft(), 128);
  EXPECT_EQ(doc.GetScore(), 0);
  EXPECT_FALSE(doc.CanUndo());
  int seen[2] = {0, 0};
  for (int c = 0; c < 16; ++c) {
    for (int r = 0; r < 8; ++r) {
      const int tile = doc.GetTile(c, r);
      ASSERT_GE(tile, 0);
      ASSERT_LT(tile, 2);
      ++seen[tile];
    }
  }
  EXPECT_GT(seen[0], 0);
  EXPECT_GT(seen[1], 0);
}

TEST(Deal, NewGameForgetsScoreSelectionAndUndo) {
  CKaroblenDoc doc;
  Access::Lay(doc, 0, 3, {"001212", "212121", "121212", "212121", "121212"});
  ASSERT_TRUE(doc.RemoveGroupAt(0, 0));
  doc.SetScore(77);
  doc.SelectGroupAt(1, 1);

  ASSERT_TRUE(doc.OnNewDocument());
  EXPECT_EQ(doc.GetScore(), 0);
  EXPECT_EQ(doc.GetTilesLeft(), 30);
  EXPECT_FALSE(doc.CanUndo());
  EXPECT_FALSE(doc.HasSelection());
  EXPECT_EQ(doc.CountSelected(), 0);
}

TEST(Settings, BoardSizeChangesDimensionsAtOnceButTilesOnlyAtTheNextDeal) {
  CKaroblenDoc doc;
  ASSERT_TRUE(doc.OnNewDocument());
  const Rows medium = Access::Board(doc);

  doc.SetBoardSize(2);
  EXPECT_EQ(doc.GetWidth(), 16);
  EXPECT_EQ(doc.GetHeight(), 8);
  EXPECT_EQ(doc.GetTilesLeft(), 70);
  for (int c = 0; c < 10; ++c)
    for (int r = 0; r < 7; ++r) EXPECT_EQ(doc.GetTile(c, r), medium[r][c] - '0');

  ASSERT_TRUE(doc.OnNewDocument());
  EXPECT_EQ(doc.GetTilesLeft(), 128);
  for (int c = 0; c < 16; ++c)
    for (int r = 0; r < 8; ++r) EXPECT_GE(doc.GetTile(c, r), 0);
}

TEST(Settings, TileKindsTakeEffectOnlyAtTheNextDeal) {
  CKaroblenDoc doc;
  doc.SetTileKinds(2);
  ASSERT_TRUE(doc.OnNewDocument());
  const Rows twoKinds = Access::Board(doc);

  doc.SetTileKinds(5);
  EXPECT_EQ(doc.GetTileKinds(), 5);
  EXPECT_EQ(Access::Board(doc), twoKinds);

  const std::time_t seed = DealWithinOneSecond(doc);
  EXPECT_EQ(Access::Board(doc), ExpectedDeal(seed, 10, 7, 5));
}

TEST(Settings, SetScoreOverwritesTheRunningScore) {
  CKaroblenDoc doc;
  doc.SetScore(-12);
  EXPECT_EQ(doc.GetScore(), -12);
}

// Literal boards, rows from the top joined by '/', so that no change of the
// deal passes unseen: a number a player shared must keep dealing its board.
TEST(Deal, NumberedBoardsArePinned) {
  const struct {
    unsigned number;
    int size, kinds;
    const char* rows;
  } cases[] = {
      {0, 0, 2, "110010/001000/100011/111011/111001"},
      // The C library takes seed 0 for 1: boards 0 and 1 are one board.
      {1, 0, 4, "332232/223002/102233/313013/113023"},
      {1, 1, 3, "1022100020/1010112222/0100212112/1202011111/2112012200/1212002201/1121202022"},
      {1765000000, 1, 3,
       "0201121210/2121020100/2102222020/2222212002/1022012122/2001020120/0111202001"},
      {42, 2, 5,
       "1022100002321043/0334422022303301/1434004302121001/1344044303041134/"
       "2221410103414422/3421113431043414/1143124004414341/0232034000411400"},
      {2147483647, 2, 5,
       "2323143110100434/0203001223420244/0444240020321403/0140042042134103/"
       "2322103340223021/0304012033100100/1003011322400124/3031143000000221"},
  };
  for (const auto& tc : cases) {
    CKaroblenDoc doc;
    doc.SetBoardSize(tc.size);
    doc.SetTileKinds(tc.kinds);
    std::rand();  // what the generator did before must not matter
    doc.DealBoard(tc.number);
    std::string rows;
    for (const std::string& row : Access::Board(doc)) rows += (rows.empty() ? "" : "/") + row;
    EXPECT_EQ(rows, tc.rows) << "board " << tc.number;
    EXPECT_EQ(doc.GetBoardNumber(), tc.number);
  }
}
