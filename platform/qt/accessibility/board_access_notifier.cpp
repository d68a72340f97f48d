// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/accessibility/board_access_notifier.h"

#include <QAccessible>
#include <QMetaObject>

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
  const std::string cursorSpoken = cursor.x >= 0
                                       ? m_board.GetCellName(cursor.x, cursor.y) + "\n" +
                                             m_board.GetCellDescription(cursor.x, cursor.y)
                                       : std::string();

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
    if (cursor != m_cursor) {
      Send(table->Cell(cursor.x, cursor.y), QAccessible::Focus);
    } else if (cursorSpoken != m_cursorSpoken) {
      // What fell into the cursor's cell, or a group that grew or shrank
      // around it. A screen reader ignores a table cell's new name and
      // speaks only an object that newly takes the focus, so the cell is
      // told as a new object.
      Send(table->RenewCell(cursor.x, cursor.y), QAccessible::Focus);
    }
  } else if (m_widget.hasFocus() && m_cursor.x >= 0) {
    // The pointer took over: the board itself has the focus again.
    Send(table, QAccessible::Focus);
  }

  m_nColumns = columns;
  m_nRows = rows;
  m_names = std::move(names);
  m_cursor = cursor;
  m_cursorSpoken = cursorSpoken;
}

void CQtBoardAccessNotifier::FocusEntered() {
  if (!QAccessible::isActive()) return;
  // The toolkit tells the widget focused only after this; told now, the
  // cursor's cell would be spoken over by the widget's name. Told once the
  // focus has settled, it is what the reader speaks last.
  QMetaObject::invokeMethod(
      &m_widget,
      [this] {
        CBoardTableAccessible* table = TableOf(m_widget);
        if (!table || !m_widget.hasFocus()) return;
        const CPoint cursor = m_board.GetCursorCell();
        Send(cursor.x >= 0 ? table->Cell(cursor.x, cursor.y) : table, QAccessible::Focus);
      },
      Qt::QueuedConnection);
}
