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
  return state;
}
