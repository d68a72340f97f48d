#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "game/karoblen_doc.h"

// Lays out and reads back boards as text, one string per row from the top:
// '0'..'4' a tile kind, '.' an empty cell.
class CKaroblenDocTestAccess {
 public:
  using Rows = std::vector<std::string>;

  // Puts the document into the middle of a game on the given board: no
  // selection, no undo, score 0, tiles left counted from the layout. Cells
  // outside the board are left as they were.
  static void Lay(CKaroblenDoc& doc, int nBoardSize, int nTileKinds, const Rows& rows) {
    doc.SetBoardSize(nBoardSize);
    doc.SetTileKinds(nTileKinds);
    if (static_cast<int>(rows.size()) != doc.m_nHeight)
      throw std::logic_error("layout has the wrong number of rows");
    int nTiles = 0;
    for (int r = 0; r < doc.m_nHeight; ++r) {
      if (static_cast<int>(rows[r].size()) != doc.m_nWidth)
        throw std::logic_error("layout row has the wrong width");
      for (int c = 0; c < doc.m_nWidth; ++c) {
        const char ch = rows[r][c];
        const bool bEmpty = ch == '.';
        doc.m_board[CKaroblenDoc::CellIndex(c, r)] =
            bEmpty ? EmptyCell : static_cast<std::int8_t>(ch - '0');
        nTiles += bEmpty ? 0 : 1;
      }
    }
    doc.m_nTilesLeft = nTiles;
    doc.m_nScore = 0;
    doc.m_bCanUndo = false;
    doc.ClearSelection();
  }

  static void SetCell(CKaroblenDoc& doc, int nColumn, int nRow, std::int8_t value) {
    doc.m_board[CKaroblenDoc::CellIndex(nColumn, nRow)] = value;
  }

  // Fills the whole 20 x 10 grid, including cells outside the board.
  static void FillGrid(CKaroblenDoc& doc, std::int8_t value) { doc.m_board.fill(value); }

  static Rows Board(const CKaroblenDoc& doc) {
    Rows rows(doc.GetHeight(), std::string(doc.GetWidth(), '.'));
    for (int r = 0; r < doc.GetHeight(); ++r)
      for (int c = 0; c < doc.GetWidth(); ++c)
        if (const int tile = doc.GetTile(c, r); tile >= 0)
          rows[r][c] = static_cast<char>('0' + tile);
    return rows;
  }

  // 'x' for a selected cell, '.' otherwise.
  static Rows Selection(const CKaroblenDoc& doc) {
    Rows rows(doc.GetHeight(), std::string(doc.GetWidth(), '.'));
    for (int r = 0; r < doc.GetHeight(); ++r)
      for (int c = 0; c < doc.GetWidth(); ++c)
        if (doc.IsSelected(c, r)) rows[r][c] = 'x';
    return rows;
  }

  static std::uint8_t RawByte(const CKaroblenDoc& doc, int nColumn, int nRow) {
    return static_cast<std::uint8_t>(doc.m_board[CKaroblenDoc::CellIndex(nColumn, nRow)]);
  }
};
