// SPDX-License-Identifier: GPL-3.0-or-later
// The scoring rules, the table index and the board numbers that every layer
// asks for.
#include "game/rules.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

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
  using F = BoardNumberFault;
  const std::pair<const char*, F> cases[] = {
      {" 007 ", F::None},    {"2147483647", F::None}, {"  ", F::Empty},
      {"1 2", F::NotDigits}, {"4e9", F::NotDigits},   {"99999999999999999999", F::TooLarge}};
  for (const auto& [text, fault] : cases) {
    unsigned number = 12345;
    EXPECT_EQ(ReadBoardNumber(text, number), fault) << text;
    // Only a number that names a board is given back.
    EXPECT_EQ(number, fault == F::None ? std::stoul(text) : 12345u) << text;
  }
}
