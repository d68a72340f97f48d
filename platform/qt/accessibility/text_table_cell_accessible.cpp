// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/accessibility/text_table_cell_accessible.h"

#include "platform/qt/accessibility/text_table_accessible.h"

bool CTextTableCellAccessible::isValid() const { return m_table.isValid(); }

QAccessibleInterface* CTextTableCellAccessible::table() const {
  return const_cast<CTextTableAccessible*>(&m_table);
}

QString CTextTableCellAccessible::text(QAccessible::Text t) const {
  return t == QAccessible::Name ? m_table.CellText(m_nRow, m_nColumn) : QString();
}

QRect CTextTableCellAccessible::rect() const { return m_table.CellRect(m_nRow, m_nColumn); }

QAccessible::State CTextTableCellAccessible::state() const {
  QAccessible::State state;
  state.invalid = !isValid();
  state.readOnly = true;
  // Not focused even on the keyboard's row: a screen reader that looks for
  // the focus itself, as it may on a key press, then finds the table and
  // still speaks the row when told it focused.
  state.focusable = true;
  return state;
}

QList<QAccessibleInterface*> CTextTableCellAccessible::columnHeaderCells() const {
  QAccessibleInterface* header = m_table.Header(m_nColumn);
  return header ? QList<QAccessibleInterface*>{header} : QList<QAccessibleInterface*>{};
}

bool CTextTableHeaderAccessible::isValid() const { return m_table.isValid(); }

QWindow* CTextTableHeaderAccessible::window() const { return m_table.window(); }

QAccessibleInterface* CTextTableHeaderAccessible::parent() const {
  return const_cast<CTextTableAccessible*>(&m_table);
}

QString CTextTableHeaderAccessible::text(QAccessible::Text t) const {
  return t == QAccessible::Name ? m_table.columnDescription(m_nColumn) : QString();
}

QAccessible::State CTextTableHeaderAccessible::state() const {
  QAccessible::State state;
  state.invalid = !isValid();
  state.readOnly = true;
  return state;
}
