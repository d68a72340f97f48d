// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/karoblen_doc.h"

#include <cstdlib>
#include <ctime>
#include <utility>

// Everything but the size and kind count is given a harmless empty Medium
// board, so that a read before the first deal sees no garbage.
CKaroblenDoc::CKaroblenDoc()
    : m_nBoardSize(kStartBoardSize),
      m_nWidth(kBoardDimensions[kStartBoardSize].nColumns),
      m_nHeight(kBoardDimensions[kStartBoardSize].nRows),
      m_nTileKinds(kStartTileKinds),
      m_nScore(0),
      m_nTilesLeft(0),
      m_nUndoScore(0),
      m_nUndoTilesLeft(0),
      m_bCanUndo(false),
      m_nBoardNumber(0) {
  m_board.fill(EmptyCell);
  m_selected.fill(0);
  m_undoBoard.fill(EmptyCell);
}

bool CKaroblenDoc::OnNewDocument() {
  // Reseeding from the clock at every deal means two games begun within the
  // same second are dealt the same board; that is accepted.
  DealBoard(static_cast<unsigned>(std::time(nullptr)));
  return true;
}

void CKaroblenDoc::DealBoard(unsigned nNumber) {
  // The C library's generator stays the deal: a board number shared today
  // must deal the same board in every later version.
  std::srand(nNumber);
  m_nBoardNumber = nNumber;
  SetBoardSize(m_nBoardSize);

  m_nScore = 0;
  m_nTilesLeft = m_nWidth * m_nHeight;
  m_bCanUndo = false;

  FillBoard();
}

void CKaroblenDoc::SetBoardSize(int nBoardSize) {
  m_nBoardSize = nBoardSize;
  m_nWidth = kBoardDimensions[nBoardSize].nColumns;
  m_nHeight = kBoardDimensions[nBoardSize].nRows;
}

void CKaroblenDoc::SetTileKinds(int nTileKinds) { m_nTileKinds = nTileKinds; }

void CKaroblenDoc::SetGrid(const TileGrid& grid) {
  m_board = grid;
  m_nTilesLeft = 0;
  for (int c = 0; c < m_nWidth; ++c)
    for (int r = 0; r < m_nHeight; ++r) m_nTilesLeft += m_board[GridIndex(c, r)] < 0 ? 0 : 1;
  m_nScore = 0;
  m_bCanUndo = false;
  ClearSelection();
}

int CKaroblenDoc::GetTile(int nColumn, int nRow) const { return m_board[GridIndex(nColumn, nRow)]; }

bool CKaroblenDoc::IsSelected(int nColumn, int nRow) const {
  return m_selected[GridIndex(nColumn, nRow)] != 0;
}

int CKaroblenDoc::CountSelected() const {
  int nCount = 0;
  for (int c = 0; c < m_nWidth; ++c)
    for (int r = 0; r < m_nHeight; ++r) nCount += m_selected[GridIndex(c, r)];
  return nCount;
}

bool CKaroblenDoc::HasSelection() const {
  for (int c = 0; c < m_nWidth; ++c)
    for (int r = 0; r < m_nHeight; ++r)
      if (m_selected[GridIndex(c, r)] != 0) return true;
  return false;
}

int CKaroblenDoc::GetJoinMask(int nColumn, int nRow) const {
  // Raw values are compared, so an empty cell "joins" empty neighbours; the
  // view never draws an empty cell, so that mask goes unused.
  const std::int8_t tile = m_board[GridIndex(nColumn, nRow)];
  int nMask = 0;
  if (nRow > 0 && m_board[GridIndex(nColumn, nRow - 1)] == tile) nMask |= 1;
  if (nColumn < m_nWidth - 1 && m_board[GridIndex(nColumn + 1, nRow)] == tile) nMask |= 2;
  if (nRow < m_nHeight - 1 && m_board[GridIndex(nColumn, nRow + 1)] == tile) nMask |= 4;
  if (nColumn > 0 && m_board[GridIndex(nColumn - 1, nRow)] == tile) nMask |= 8;
  return nMask;
}

void CKaroblenDoc::ClearSelection() {
  // One fill of the whole grid is cheaper than walking the board; flags
  // outside the board are never read.
  m_selected.fill(0);
}

int CKaroblenDoc::SelectGroupAt(int nColumn, int nRow) {
  const int nSelected = MarkGroup(m_selected, nColumn, nRow);
  if (nSelected == 1) {
    m_selected[GridIndex(nColumn, nRow)] = 0;
    return 0;
  }
  return nSelected;
}

int CKaroblenDoc::CountGroupAt(int nColumn, int nRow) const {
  FlagGrid marks;
  return MarkGroup(marks, nColumn, nRow);
}

int CKaroblenDoc::MarkGroup(FlagGrid& marks, int nColumn, int nRow) const {
  marks.fill(0);
  const std::int8_t kind = m_board[GridIndex(nColumn, nRow)];
  if (kind < 0) return 0;

  marks[GridIndex(nColumn, nRow)] = 1;
  int nMarked = 1;

  // Whole-board passes until one adds nothing. A cell marked early in a
  // pass already spreads to the cells scanned after it, so a pass reaches
  // any distance down or to the right but only one cell up or to the left.
  // At most n passes over at most 128 cells, and no work list to allocate.
  bool bGrew = true;
  while (bGrew) {
    bGrew = false;
    for (int c = 0; c < m_nWidth; ++c) {
      for (int r = 0; r < m_nHeight; ++r) {
        const std::size_t i = GridIndex(c, r);
        if (marks[i] == 0 && m_board[i] == kind &&
            HasMarkedNeighbour(marks, m_nWidth, m_nHeight, c, r)) {
          marks[i] = 1;
          ++nMarked;
          bGrew = true;
        }
      }
    }
  }
  return nMarked;
}

bool CKaroblenDoc::HasMarkedNeighbour(const FlagGrid& marks, int nWidth, int nHeight, int nColumn,
                                      int nRow) {
  return (nColumn > 0 && marks[GridIndex(nColumn - 1, nRow)] != 0) ||
         (nColumn < nWidth - 1 && marks[GridIndex(nColumn + 1, nRow)] != 0) ||
         (nRow > 0 && marks[GridIndex(nColumn, nRow - 1)] != 0) ||
         (nRow < nHeight - 1 && marks[GridIndex(nColumn, nRow + 1)] != 0);
}

bool CKaroblenDoc::RemoveGroupAt(int nColumn, int nRow) {
  // An empty cell must leave the current highlight alone, so it is turned
  // away before SelectGroupAt would clear it.
  if (m_board[GridIndex(nColumn, nRow)] < 0) return false;

  if (SelectGroupAt(nColumn, nRow) == 0) return false;

  // The snapshot is taken only now that a move is certain, so a click that
  // removes nothing keeps the previous move undoable.
  SaveUndo();

  int nRemoved = 0;
  for (int c = 0; c < m_nWidth; ++c) {
    for (int r = 0; r < m_nHeight; ++r) {
      const std::size_t i = GridIndex(c, r);
      if (m_selected[i] != 0) {
        m_board[i] = EmptyCell;
        ++nRemoved;
      }
    }
  }
  ClearSelection();

  m_nScore += GroupScore(nRemoved);
  m_nTilesLeft -= nRemoved;
  return true;
}

void CKaroblenDoc::SaveUndo() {
  m_nUndoScore = m_nScore;
  m_nUndoTilesLeft = m_nTilesLeft;
  // One copy of the whole grid; the cells outside the board are never read.
  m_undoBoard = m_board;
  m_bCanUndo = true;
}

void CKaroblenDoc::RestoreUndo() {
  m_nScore = m_nUndoScore;
  m_nTilesLeft = m_nUndoTilesLeft;
  m_board = m_undoBoard;
  ClearSelection();
  m_bCanUndo = false;
}

void CKaroblenDoc::FillBoard() {
  // Column by column, top to bottom: the order fixes which board a given
  // seed deals.
  for (int c = 0; c < m_nWidth; ++c)
    for (int r = 0; r < m_nHeight; ++r)
      m_board[GridIndex(c, r)] = static_cast<std::int8_t>(std::rand() % m_nTileKinds);
  ClearSelection();
}

bool CKaroblenDoc::DropStep() {
  // One column per call, leftmost first, so the view can show the columns
  // falling into place one after another.
  for (int c = 0; c < m_nWidth; ++c) {
    bool bChanged = false;
    int w = m_nHeight - 1;
    for (int r = m_nHeight - 1; r >= 0; --r) {
      const std::size_t i = GridIndex(c, r);
      if (m_board[i] < 0) continue;
      if (r != w) {
        m_board[GridIndex(c, w)] = m_board[i];
        m_board[i] = EmptyCell;
        bChanged = true;
      }
      --w;
    }
    if (bChanged) return true;
  }
  return false;
}

bool CKaroblenDoc::IsColumnEmpty(int nColumn) const {
  // Only meaningful on a settled board, where a column without a bottom
  // tile has no tile at all.
  return m_board[GridIndex(nColumn, m_nHeight - 1)] < 0;
}

bool CKaroblenDoc::CloseEmptyColumns() {
  bool bAnyMoved = false;
  bool bPassMoved = true;
  while (bPassMoved) {
    bPassMoved = false;
    for (int c = 0; c < m_nWidth - 1; ++c) {
      if (!IsColumnEmpty(c)) continue;
      if (!IsColumnEmpty(c + 1)) bAnyMoved = true;
      // Each later column with tiles moves one place left; the column it
      // lands in is always empty by then.
      for (int k = c + 1; k < m_nWidth; ++k) {
        if (IsColumnEmpty(k)) continue;
        for (int r = 0; r < m_nHeight; ++r) {
          m_board[GridIndex(k - 1, r)] = m_board[GridIndex(k, r)];
          m_board[GridIndex(k, r)] = EmptyCell;
        }
        bPassMoved = true;
      }
    }
  }
  return bAnyMoved;
}

bool CKaroblenDoc::IsGameOver() const {
  // Looking right and down from every tile covers every neighbouring pair
  // once; an empty cell never matches a tile.
  for (int c = 0; c < m_nWidth; ++c) {
    for (int r = 0; r < m_nHeight; ++r) {
      const std::int8_t tile = m_board[GridIndex(c, r)];
      if (tile < 0) continue;
      if (c < m_nWidth - 1 && m_board[GridIndex(c + 1, r)] == tile) return false;
      if (r < m_nHeight - 1 && m_board[GridIndex(c, r + 1)] == tile) return false;
    }
  }
  return true;
}

void CKaroblenDoc::RecordHighScore(int nScore) {
  if (m_highScores == nullptr) return;
  m_highScores->SetBoardNumber(m_nBoardNumber);
  m_highScores->SetBoard(m_nBoardSize, m_nTileKinds);
  m_highScores->SubmitScore(nScore);
  m_highScores->DoModal();
}

void CKaroblenDoc::MergeScoreFile(std::string strPath) {
  if (m_highScores != nullptr) m_highScores->MergeFrom(std::move(strPath));
}
