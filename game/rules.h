// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game's rules as numbers: the board sizes, the tile kinds, what a move
// and a finished game score, and which high-score table a board plays for.
// Every other layer asks here instead of repeating a formula.
#include <array>

inline constexpr int kMinTileKinds = 2;
inline constexpr int kMaxTileKinds = 5;
inline constexpr int kTileKindChoices = kMaxTileKinds - kMinTileKinds + 1;

// Indexed by BoardSize: 0 Small, 1 Medium, 2 Large.
struct BoardDimensions {
  int nColumns;
  int nRows;
};
inline constexpr int kBoardSizeCount = 3;
inline constexpr std::array<BoardDimensions, kBoardSizeCount> kBoardDimensions{{
    {6, 5},
    {10, 7},
    {16, 8},
}};

// Every run starts on a Medium board with three kinds; nothing is stored.
inline constexpr int kStartBoardSize = 1;
inline constexpr int kStartTileKinds = 3;

inline constexpr int kClearedBoardBonus = 1000;

constexpr bool IsBoardSize(int nBoardSize) {
  return nBoardSize >= 0 && nBoardSize < kBoardSizeCount;
}
constexpr bool IsTileKinds(int nTileKinds) {
  return nTileKinds >= kMinTileKinds && nTileKinds <= kMaxTileKinds;
}

// Removing a group of n tiles (n >= 2) scores (n - 2)^2.
constexpr int GroupScore(int nTiles) { return (nTiles - 2) * (nTiles - 2); }

constexpr int ClearedBoardBonus(int nTilesLeft) { return nTilesLeft == 0 ? kClearedBoardBonus : 0; }

// A finished game loses a point for every tile left and gains the bonus
// when none is left.
constexpr int FinalScore(int nScore, int nTilesLeft) {
  return nScore - nTilesLeft + ClearedBoardBonus(nTilesLeft);
}

// (n - 2)^2 grows faster than the tiles it uses, so the best game removes
// the largest board as one group.
constexpr int MaxPossibleScore() {
  int nMost = 0;
  for (const BoardDimensions& d : kBoardDimensions) {
    const int nFinal = FinalScore(GroupScore(d.nColumns * d.nRows), 0);
    if (nFinal > nMost) nMost = nFinal;
  }
  return nMost;
}

// One ten-entry table per board size and number of kinds, grouped by kinds.
inline constexpr int kScoreTableCount = kTileKindChoices * kBoardSizeCount;
constexpr int ScoreTableIndex(int nBoardSize, int nTileKinds) {
  return (nTileKinds - kMinTileKinds) * kBoardSizeCount + nBoardSize;
}
