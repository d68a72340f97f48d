// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/accessibility/form_accessible.h"

#include "platform/qt/accessibility/accessible_override.h"
#include "platform/qt/common/qt_text.h"

CFormAccessible::CFormAccessible(QWidget* widget, const CAccessibleBoard& board)
    : QAccessibleWidget(widget),
      m_board(board),
      m_tableId(
          RegisterAccessibleInterface(std::make_unique<CBoardTableAccessible>(*widget, board))) {}

CFormAccessible::~CFormAccessible() { QAccessible::deleteAccessibleInterface(m_tableId); }

CBoardTableAccessible* CFormAccessible::Table() const {
  return static_cast<CBoardTableAccessible*>(QAccessible::accessibleInterface(m_tableId));
}

QAccessibleInterface* CFormAccessible::child(int index) const {
  return index == 0 ? Table() : QAccessibleWidget::child(index - 1);
}

int CFormAccessible::indexOfChild(const QAccessibleInterface* child) const {
  if (child == Table()) return 0;
  const int index = QAccessibleWidget::indexOfChild(child);
  return index < 0 ? -1 : index + 1;
}

QString CFormAccessible::text(QAccessible::Text t) const {
  const QString text = QAccessibleWidget::text(t);
  return t == QAccessible::Name && text.isEmpty() ? ToQString(m_board.GetBoardName()) : text;
}

QAccessibleInterface* CFormAccessible::focusChild() const {
  if (!widget()->hasFocus()) return QAccessibleWidget::focusChild();
  const CPoint cursor = m_board.GetCursorCell();
  if (cursor.x < 0) return Table();
  return Table()->Cell(cursor.x, cursor.y);
}
