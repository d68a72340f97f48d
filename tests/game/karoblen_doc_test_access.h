// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
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
    if (static_cast<int>(rows.size()) != doc.GetHeight())
      throw std::logic_error("layout has the wrong number of rows");
    CKaroblenDoc::TileGrid grid = doc.GetGrid();
    for (int r = 0; r < doc.GetHeight(); ++r) {
      if (static_cast<int>(rows[r].size()) != doc.GetWidth())
        throw std::logic_error("layout row has the wrong width");
      for (int c = 0; c < doc.GetWidth(); ++c) {
        const char ch = rows[r][c];
        grid[GridIndex(c, r)] = ch == '.' ? EmptyCell : static_cast<std::int8_t>(ch - '0');
      }
    }
    doc.SetGrid(grid);
  }

  // Fills the whole 20 x 10 grid, including cells outside the board.
  static void FillGrid(CKaroblenDoc& doc, std::int8_t value) {
    CKaroblenDoc::TileGrid grid;
    grid.fill(value);
    doc.SetGrid(grid);
  }

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
    return static_cast<std::uint8_t>(doc.GetGrid()[GridIndex(nColumn, nRow)]);
  }
};
