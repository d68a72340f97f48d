// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader reads of the board: a colour word per cell, with its
// place and the size of its group, and the keyboard cursor's cell.
#include <string>

#include "res/resource_ids.h"
#include "res/string_table.h"
#include "view/karoblen_view.h"

namespace {
std::string Text(int id) {
  const char* text = res::LoadString(id);
  return text ? text : "";
}
}  // namespace

std::string CKaroblenView::GetBoardName() const { return Text(IDS_BOARD_NAME); }

int CKaroblenView::GetBoardColumns() const { return GetDocument()->GetWidth(); }

int CKaroblenView::GetBoardRows() const { return GetDocument()->GetHeight(); }

CRect CKaroblenView::GetCellRect(int column, int row) const {
  const int x = m_nOriginX + kTileSize * column;
  const int y = m_nOriginY + kTileSize * row;
  return {x, y, x + kTileSize, y + kTileSize};
}

std::string CKaroblenView::GetCellName(int column, int row) const {
  // The kinds' names follow one another in the order of the tile sheet's rows.
  const int kind = GetDocument()->GetTile(column, row);
  return Text(kind < 0 ? IDS_TILE_EMPTY : IDS_TILE_KIND_FIRST + kind);
}

std::string CKaroblenView::GetCellDescription(int column, int row) const {
  std::string text =
      res::FormatString(IDS_CELL_PLACE, {std::to_string(column + 1), std::to_string(row + 1)});
  if (const int group = GetDocument()->CountGroupAt(column, row); group > 0)
    text += res::FormatString(IDS_CELL_GROUP, {std::to_string(group)});
  return text;
}

bool CKaroblenView::IsCellHighlighted(int column, int row) const {
  return GetDocument()->IsSelected(column, row);
}

CPoint CKaroblenView::GetCursorCell() const {
  if (!m_bCursorShown) return {-1, -1};
  const BoardCell cursor = GetCursor();
  return {cursor.nColumn, cursor.nRow};
}
