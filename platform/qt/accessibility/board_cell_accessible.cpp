// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/accessibility/board_cell_accessible.h"

#include "platform/qt/common/qt_text.h"

QRect BoardRectOnScreen(const QWidget& widget, const CRect& rect) {
  return {widget.mapToGlobal(QPoint(rect.left, rect.top)), QSize(rect.Width(), rect.Height())};
}

bool CBoardCellAccessible::isValid() const {
  return m_widget && m_nColumn < m_board.GetBoardColumns() && m_nRow < m_board.GetBoardRows();
}

QString CBoardCellAccessible::text(QAccessible::Text t) const {
  if (!isValid()) return {};
  if (t == QAccessible::Name) return ToQString(m_board.GetCellName(m_nColumn, m_nRow));
  if (t == QAccessible::Description)
    return ToQString(m_board.GetCellDescription(m_nColumn, m_nRow));
  return {};
}

QRect CBoardCellAccessible::rect() const {
  return isValid() ? BoardRectOnScreen(*m_widget, m_board.GetCellRect(m_nColumn, m_nRow)) : QRect();
}

QAccessible::State CBoardCellAccessible::state() const {
  QAccessible::State state;
  if (!isValid()) {
    state.invalid = true;
    return state;
  }
  state.focusable = true;
  state.selectable = true;
  state.selected = isSelected();
  state.focused = m_board.GetCursorCell() == CPoint{m_nColumn, m_nRow} && m_widget->hasFocus();
  return state;
}

bool CBoardCellAccessible::isSelected() const {
  return isValid() && m_board.IsCellHighlighted(m_nColumn, m_nRow);
}
