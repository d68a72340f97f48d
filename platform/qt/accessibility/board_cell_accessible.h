// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One cell of the board's table (see CBoardTableAccessible); valid while the
// board is at least this large.
#include <QPointer>
#include <QWidget>

#include "platform/accessible_board.h"
#include "platform/qt/accessibility/read_only_table_accessible.h"

class CBoardCellAccessible : public CReadOnlyTableCellAccessible {
 public:
  CBoardCellAccessible(QWidget& widget, const CAccessibleBoard& board, QAccessibleInterface& table,
                       int column, int row)
      : CReadOnlyTableCellAccessible(column, row),
        m_widget(&widget),
        m_board(board),
        m_table(table) {}

  bool isValid() const override;
  QString text(QAccessible::Text t) const override;
  QRect rect() const override;
  QAccessible::State state() const override;

  // The highlighted group is the selection.
  bool isSelected() const override;
  QAccessibleInterface* table() const override { return &m_table; }

 private:
  QPointer<QWidget> m_widget;
  const CAccessibleBoard& m_board;
  QAccessibleInterface& m_table;
};

// A rectangle of the widget's client pixels on the screen.
QRect BoardRectOnScreen(const QWidget& widget, const CRect& rect);
