// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "game/high_score_keeper.h"
#include "game/rules.h"

// Grid storage: room for 20 columns of 10 cells, one column contiguous, so the
// cell (column c, row r) is element kMaxRows * c + r. Only the corner of the
// current width x height is in play; cells outside it may hold leftovers of an
// earlier, larger board and are never read.
inline constexpr int kMaxColumns = 20;
inline constexpr int kMaxRows = 10;
inline constexpr int kGridCells = kMaxColumns * kMaxRows;
constexpr std::size_t GridIndex(int nColumn, int nRow) {
  return static_cast<std::size_t>(nColumn) * kMaxRows + static_cast<std::size_t>(nRow);
}

// A cell holds a tile kind 0..kinds-1 or the byte 0xFF, which reads as -1 in
// a signed cell; callers test for an empty cell with "< 0".
inline constexpr std::int8_t EmptyCell = static_cast<std::int8_t>(0xFF);

// The state of one game and its rules. Operations take cells inside the
// current board and board sizes / kind counts inside the ranges of rules.h; they do
// not check. Nothing here allocates once constructed.
class CKaroblenDoc {
 public:
  using TileGrid = std::array<std::int8_t, kGridCells>;
  using FlagGrid = std::array<std::uint8_t, kGridCells>;

  CKaroblenDoc();

  // Deals a fresh board of the stored size and kind count, numbered by the
  // clock's second.
  bool OnNewDocument();
  // Deals board `nNumber` at the stored size and kind count: score 0, no
  // selection, no undo. The number seeds the deal, so the same number, size
  // and kind count always give the same board; dealing the current number
  // again restarts the board.
  void DealBoard(unsigned nNumber);
  // The number of the board last dealt; 0 before the first deal.
  unsigned GetBoardNumber() const { return m_nBoardNumber; }

  // Both take effect for the tiles only at the next OnNewDocument; the
  // dimensions follow SetBoardSize at once.
  void SetBoardSize(int nBoardSize);
  void SetTileKinds(int nTileKinds);

  int GetBoardSize() const { return m_nBoardSize; }
  int GetTileKinds() const { return m_nTileKinds; }
  int GetWidth() const { return m_nWidth; }
  int GetHeight() const { return m_nHeight; }
  int GetScore() const { return m_nScore; }
  int GetTilesLeft() const { return m_nTilesLeft; }
  void SetScore(int nScore) { m_nScore = nScore; }

  // The whole 20 x 10 storage, cells outside the board included.
  const TileGrid& GetGrid() const { return m_board; }
  // Continues a game from `grid` on the current board: score 0, tiles left
  // counted on the board, no selection and no undo. Positions laid out by
  // hand (tests, benchmarks) start this way.
  void SetGrid(const TileGrid& grid);

  // The kind at the cell, or -1 when it is empty.
  int GetTile(int nColumn, int nRow) const;
  bool IsSelected(int nColumn, int nRow) const;
  int CountSelected() const;
  bool HasSelection() const;
  // Like neighbours: 1 above, 2 right, 4 below, 8 left.
  int GetJoinMask(int nColumn, int nRow) const;

  void ClearSelection();
  // Selects the group of the cell; its size, or 0 for an empty cell or a
  // lone tile (which is then left unselected).
  int SelectGroupAt(int nColumn, int nRow);
  // The size of the cell's group without touching the selection: 1 for a
  // lone tile, 0 for an empty cell.
  int CountGroupAt(int nColumn, int nRow) const;
  // Removes and scores the group of the cell, leaving holes for DropStep.
  bool RemoveGroupAt(int nColumn, int nRow);

  bool CanUndo() const { return m_bCanUndo; }
  // Takes back the whole last move: removal, settling and column closing.
  void RestoreUndo();

  // Settles the leftmost unsettled column; false once the board is settled.
  bool DropStep();
  // Packs the non-empty columns to the left; needs a settled board.
  bool CloseEmptyColumns();
  bool IsGameOver() const;

  // The high-score object lives beside the document for the whole run;
  // the application attaches it once, right after building both.
  void AttachHighScores(CHighScoreKeeper* pHighScores) { m_highScores = pHighScores; }
  // Selects the table of this board, records `nScore` (-1 only views) and
  // shows the table until the player closes it.
  void RecordHighScore(int nScore);
  void MergeScoreFile(std::string strPath);

 private:
  void FillBoard();
  void SaveUndo();
  // Marks the cell's group in `marks` (cleared first); its size, 0 when empty.
  int MarkGroup(FlagGrid& marks, int nColumn, int nRow) const;
  static bool HasMarkedNeighbour(const FlagGrid& marks, int nWidth, int nHeight, int nColumn,
                                 int nRow);
  bool IsColumnEmpty(int nColumn) const;

  int m_nBoardSize;
  int m_nWidth;
  int m_nHeight;
  int m_nTileKinds;
  int m_nScore;
  int m_nTilesLeft;
  TileGrid m_board;
  FlagGrid m_selected;
  TileGrid m_undoBoard;
  int m_nUndoScore;
  int m_nUndoTilesLeft;
  bool m_bCanUndo;
  unsigned m_nBoardNumber;
  CHighScoreKeeper* m_highScores = nullptr;
};
