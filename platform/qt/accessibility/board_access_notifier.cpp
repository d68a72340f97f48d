// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/accessibility/board_access_notifier.h"

#include <QAccessible>

#include "platform/qt/accessibility/form_accessible.h"

namespace {
CBoardTableAccessible* TableOf(QWidget& widget) {
  auto* form = dynamic_cast<CFormAccessible*>(QAccessible::queryAccessibleInterface(&widget));
  return form ? form->Table() : nullptr;
}

void Send(QAccessibleInterface* iface, QAccessible::Event type) {
  if (!iface) return;
  QAccessibleEvent event(iface, type);
  QAccessible::updateAccessibility(&event);
}
}  // namespace

void CQtBoardAccessNotifier::BoardPainted() {
  if (!QAccessible::isActive()) return;
  CBoardTableAccessible* table = TableOf(m_widget);
  if (!table) return;

  const int columns = m_board.GetBoardColumns();
  const int rows = m_board.GetBoardRows();
  std::vector<std::string> names;
  names.reserve(static_cast<std::size_t>(columns) * rows);
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < columns; ++c) names.push_back(m_board.GetCellName(c, r));
  const CPoint cursor = m_board.GetCursorCell();

  if (columns != m_nColumns || rows != m_nRows) {
    QAccessibleTableModelChangeEvent reset(table, QAccessibleTableModelChangeEvent::ModelReset);
    QAccessible::updateAccessibility(&reset);
  } else if (names != m_names) {
    QAccessibleTableModelChangeEvent change(table, QAccessibleTableModelChangeEvent::DataChanged);
    change.setFirstRow(0);
    change.setFirstColumn(0);
    change.setLastRow(rows - 1);
    change.setLastColumn(columns - 1);
    QAccessible::updateAccessibility(&change);
  }

  if (m_widget.hasFocus() && cursor.x >= 0) {
    QAccessibleInterface* cell = table->Cell(cursor.x, cursor.y);
    if (cursor != m_cursor) {
      Send(cell, QAccessible::Focus);
    } else if (static_cast<int>(m_names.size()) == columns * rows) {
      // What fell into the cursor's cell is read out as a change of its name.
      const std::size_t at = static_cast<std::size_t>(cursor.y) * columns + cursor.x;
      if (names[at] != m_names[at]) Send(cell, QAccessible::NameChanged);
    }
  } else if (m_widget.hasFocus() && m_cursor.x >= 0) {
    // The pointer took over: the board itself has the focus again.
    Send(table, QAccessible::Focus);
  }

  m_nColumns = columns;
  m_nRows = rows;
  m_names = std::move(names);
  m_cursor = cursor;
}

void CQtBoardAccessNotifier::FocusEntered() {
  if (!QAccessible::isActive()) return;
  CBoardTableAccessible* table = TableOf(m_widget);
  if (!table) return;
  const CPoint cursor = m_board.GetCursorCell();
  Send(cursor.x >= 0 ? table->Cell(cursor.x, cursor.y) : table, QAccessible::Focus);
}
