// What a screen reader reads of the board: a colour word per cell, with its
// place and the size of its group, and the keyboard cursor's cell.
#include <array>
#include <string>

#include "view/karoblen_view.h"

namespace {
// In the order of the kinds' rows in the tile pictures.
constexpr std::array<const char*, kMaxTileKinds> kKindNames{"Red", "Blue", "Yellow", "Green",
                                                            "Grey"};
}  // namespace

std::string CKaroblenView::GetBoardName() const { return "Board"; }

int CKaroblenView::GetBoardColumns() const { return GetDocument()->GetWidth(); }

int CKaroblenView::GetBoardRows() const { return GetDocument()->GetHeight(); }

CRect CKaroblenView::GetCellRect(int column, int row) const {
  const int x = m_nOriginX + kTileSize * column;
  const int y = m_nOriginY + kTileSize * row;
  return {x, y, x + kTileSize, y + kTileSize};
}

std::string CKaroblenView::GetCellName(int column, int row) const {
  const int kind = GetDocument()->GetTile(column, row);
  return kind < 0 ? "Empty" : kKindNames[kind];
}

std::string CKaroblenView::GetCellDescription(int column, int row) const {
  std::string text = "Column " + std::to_string(column + 1) + ", row " + std::to_string(row + 1);
  if (const int group = GetDocument()->CountGroupAt(column, row); group > 0)
    text += ", group of " + std::to_string(group);
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
