// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The form view's widget as assistive technology sees it: the board's table
// first, then the widget's texts. The table is made with it and goes with it.
#include <QAccessibleWidget>

#include "platform/accessible_board.h"
#include "platform/qt/accessibility/board_table_accessible.h"

class CFormAccessible : public QAccessibleWidget {
 public:
  CFormAccessible(QWidget* widget, const CAccessibleBoard& board);
  ~CFormAccessible() override;
  CFormAccessible(const CFormAccessible&) = delete;
  CFormAccessible& operator=(const CFormAccessible&) = delete;

  CBoardTableAccessible* Table() const;

  int childCount() const override { return QAccessibleWidget::childCount() + 1; }
  QAccessibleInterface* child(int index) const override;
  int indexOfChild(const QAccessibleInterface* child) const override;
  // The cursor's cell while the cursor shows, else the table.
  QAccessibleInterface* focusChild() const override;
  // The toolkit tells the widget itself focused before the board's part in
  // it is told; it goes by the board's name rather than by none.
  QString text(QAccessible::Text t) const override;

 private:
  const CAccessibleBoard& m_board;
  QAccessible::Id m_tableId;  // the toolkit's accessibility cache owns the table
};
