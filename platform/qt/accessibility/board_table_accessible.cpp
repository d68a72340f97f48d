// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/accessibility/board_table_accessible.h"

#include "platform/qt/accessibility/accessible_override.h"
#include "platform/qt/accessibility/board_cell_accessible.h"
#include "platform/qt/common/qt_text.h"
#include "res/resource_ids.h"
#include "res/string_table.h"

CBoardTableAccessible::CBoardTableAccessible(QWidget& widget, const CAccessibleBoard& board)
    : CReadOnlyTableAccessible(widget), m_board(board) {
  MakeCells();
}

CBoardTableAccessible::~CBoardTableAccessible() { ForgetCells(); }

void CBoardTableAccessible::MakeCells() {
  m_nCellColumns = columnCount();
  m_nCellRows = rowCount();
  for (int r = 0; r < m_nCellRows; ++r)
    for (int c = 0; c < m_nCellColumns; ++c)
      m_cellIds.push_back(RegisterAccessibleInterface(
          std::make_unique<CBoardCellAccessible>(*m_host, m_board, *this, c, r)));
}

void CBoardTableAccessible::ForgetCells() {
  for (QAccessible::Id id : m_cellIds) QAccessible::deleteAccessibleInterface(id);
  m_cellIds.clear();
  m_nCellColumns = m_nCellRows = 0;
}

void CBoardTableAccessible::modelChange(QAccessibleTableModelChangeEvent* event) {
  if (event->modelChangeType() != QAccessibleTableModelChangeEvent::ModelReset) return;
  ForgetCells();
  if (m_host) MakeCells();
}

QAccessibleInterface* CBoardTableAccessible::Cell(int column, int row) const {
  if (column < 0 || row < 0 || column >= m_nCellColumns || row >= m_nCellRows) return nullptr;
  return QAccessible::accessibleInterface(
      m_cellIds[static_cast<std::size_t>(row) * m_nCellColumns + column]);
}

QAccessibleInterface* CBoardTableAccessible::RenewCell(int column, int row) {
  if (!m_host || !Cell(column, row)) return nullptr;
  QAccessible::Id& id = m_cellIds[static_cast<std::size_t>(row) * m_nCellColumns + column];
  QAccessible::deleteAccessibleInterface(id);
  id = RegisterAccessibleInterface(
      std::make_unique<CBoardCellAccessible>(*m_host, m_board, *this, column, row));
  return QAccessible::accessibleInterface(id);
}

QAccessibleInterface* CBoardTableAccessible::childAt(int x, int y) const {
  for (int c = 0; c < columnCount(); ++c)
    for (int r = 0; r < rowCount(); ++r)
      if (BoardRectOnScreen(*m_host, m_board.GetCellRect(c, r)).contains(x, y)) return Cell(c, r);
  return nullptr;
}

QAccessibleInterface* CBoardTableAccessible::child(int index) const {
  const int columns = columnCount();
  if (columns == 0 || index < 0) return nullptr;
  return Cell(index % columns, index / columns);
}

int CBoardTableAccessible::indexOfChild(const QAccessibleInterface* child) const {
  const auto* cell = dynamic_cast<const CBoardCellAccessible*>(child);
  if (!cell || cell->table() != this || !cell->isValid()) return -1;
  return cell->rowIndex() * columnCount() + cell->columnIndex();
}

QString CBoardTableAccessible::text(QAccessible::Text t) const {
  return t == QAccessible::Name && m_host ? ToQString(m_board.GetBoardName()) : QString();
}

QRect CBoardTableAccessible::rect() const {
  if (!m_host || childCount() == 0) return {};
  const CRect first = m_board.GetCellRect(0, 0);
  const CRect last = m_board.GetCellRect(columnCount() - 1, rowCount() - 1);
  return BoardRectOnScreen(*m_host, {first.left, first.top, last.right, last.bottom});
}

QAccessible::State CBoardTableAccessible::state() const {
  QAccessible::State state;
  state.invalid = !isValid();
  state.focusable = true;
  state.focused = m_host && m_host->hasFocus() && m_board.GetCursorCell().x < 0;
  return state;
}

QList<QAccessibleInterface*> CBoardTableAccessible::selectedCells() const {
  QList<QAccessibleInterface*> cells;
  for (int r = 0; r < rowCount(); ++r)
    for (int c = 0; c < columnCount(); ++c)
      if (m_board.IsCellHighlighted(c, r))
        if (QAccessibleInterface* cell = Cell(c, r)) cells.append(cell);
  return cells;
}

QString CBoardTableAccessible::columnDescription(int column) const {
  return ToQString(res::FormatString(IDS_BOARD_COLUMN, {std::to_string(column + 1)}));
}

QString CBoardTableAccessible::rowDescription(int row) const {
  return ToQString(res::FormatString(IDS_BOARD_ROW, {std::to_string(row + 1)}));
}
