// SPDX-License-Identifier: GPL-3.0-or-later
// The scoring rules, the table index and the board numbers that every layer
// asks for.
#include "game/rules.h"

#include <gtest/gtest.h>

#include "game/board_number.h"

TEST(Rules, FinalScoreTakesATileOffAndGivesTheBonusOnlyForAnEmptyBoard) {
  const struct {
    int score, tilesLeft, bonus, final;
  } cases[] = {
      {50, 3, 0, 47}, {120, 0, 1000, 1120}, {0, 2, 0, -2}, {7, 1, 0, 6}, {0, 0, 1000, 1000}};
  for (const auto& tc : cases) {
    EXPECT_EQ(ClearedBoardBonus(tc.tilesLeft), tc.bonus) << tc.score << " " << tc.tilesLeft;
    EXPECT_EQ(FinalScore(tc.score, tc.tilesLeft), tc.final) << tc.score << " " << tc.tilesLeft;
  }
}

TEST(Rules, BestPossibleGameClearsALargeBoardInOneMove) {
  static_assert(MaxPossibleScore() == 16876);
  EXPECT_EQ(MaxPossibleScore(), 126 * 126 + 1000);
}

TEST(Rules, TablesRunThroughTheSizesForTwoKindsThenThreeAndOn) {
  // The score file's record order depends on this; pinned by value.
  const int expected[4][3] = {{0, 1, 2}, {3, 4, 5}, {6, 7, 8}, {9, 10, 11}};
  for (int kinds = 2; kinds <= 5; ++kinds)
    for (int size = 0; size < 3; ++size)
      EXPECT_EQ(ScoreTableIndex(size, kinds), expected[kinds - 2][size]) << size << " " << kinds;
  EXPECT_EQ(kScoreTableCount, 12);
  EXPECT_TRUE(IsBoardSize(0) && IsBoardSize(2) && !IsBoardSize(-1) && !IsBoardSize(3));
  EXPECT_TRUE(IsTileKinds(2) && IsTileKinds(5) && !IsTileKinds(1) && !IsTileKinds(6));
}

// What a player may type as a board number, on the command line or in the
// dialog, and why the rest is refused.
TEST(BoardNumberText, AcceptsDigitsUpToTheLargestNumberAndNamesWhatIsWrong) {
  const struct {
    const char* text;
    BoardNumberFault fault;
    unsigned number;
  } cases[] = {
      {"0", BoardNumberFault::None, 0},
      {"42", BoardNumberFault::None, 42},
      {"007", BoardNumberFault::None, 7},
      {" 1765000000 ", BoardNumberFault::None, 1765000000},
      {"2147483647", BoardNumberFault::None, 2147483647},
      {"", BoardNumberFault::Empty, 0},
      {"   ", BoardNumberFault::Empty, 0},
      {"12a", BoardNumberFault::NotDigits, 0},
      {"abc", BoardNumberFault::NotDigits, 0},
      {"-1", BoardNumberFault::NotDigits, 0},
      {"+5", BoardNumberFault::NotDigits, 0},
      {"1 2", BoardNumberFault::NotDigits, 0},
      {"1.5", BoardNumberFault::NotDigits, 0},
      {"0x10", BoardNumberFault::NotDigits, 0},
      {"\xd9\xa3", BoardNumberFault::NotDigits, 0},  // a digit of another script
      {"2147483648", BoardNumberFault::TooLarge, 0},
      {"4294967296", BoardNumberFault::TooLarge, 0},
      {"99999999999999999999999999", BoardNumberFault::TooLarge, 0},
  };
  for (const auto& tc : cases) {
    unsigned number = 12345;
    EXPECT_EQ(ReadBoardNumber(tc.text, number), tc.fault) << '"' << tc.text << '"';
    EXPECT_EQ(number, tc.fault == BoardNumberFault::None ? tc.number : 12345u) << tc.text;
  }
}
