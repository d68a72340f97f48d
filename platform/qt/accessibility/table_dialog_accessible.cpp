// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/accessibility/table_dialog_accessible.h"

#include "platform/qt/accessibility/accessible_override.h"
#include "platform/qt/accessibility/text_table_accessible.h"

namespace {
QAccessible::Id MakeTable(QWidget& window, const res::TextTable& table,
                          const std::vector<QLabel*>& texts, CTextTableFocus& focus) {
  auto* made = new CTextTableAccessible(window, table, texts, focus);
  // The table is its focus widget's interface, in place of the toolkit's.
  OverrideAccessibleInterface(made);
  return QAccessible::uniqueId(made);
}
}  // namespace

CTableDialogAccessible::CTableDialogAccessible(QWidget& window, const res::TextTable& table,
                                               const std::vector<QLabel*>& texts,
                                               CTextTableFocus& focus)
    : QAccessibleWidget(&window, QAccessible::Dialog),
      m_tableId(MakeTable(window, table, texts, focus)) {}

CTableDialogAccessible::~CTableDialogAccessible() {
  QAccessible::deleteAccessibleInterface(m_tableId);
}

CTextTableAccessible* CTableDialogAccessible::Table() const {
  return static_cast<CTextTableAccessible*>(QAccessible::accessibleInterface(m_tableId));
}

QList<QAccessibleInterface*> CTableDialogAccessible::OtherChildren() const {
  QList<QAccessibleInterface*> others;
  const CTextTableAccessible* table = Table();
  for (int i = 0; i < QAccessibleWidget::childCount(); ++i) {
    QAccessibleInterface* child = QAccessibleWidget::child(i);
    if (child && !(table && table->Holds(child->object()))) others.append(child);
  }
  return others;
}

int CTableDialogAccessible::childCount() const {
  return static_cast<int>(OtherChildren().size()) + 1;
}

QAccessibleInterface* CTableDialogAccessible::child(int index) const {
  if (index == 0) return Table();
  return OtherChildren().value(index - 1);
}

int CTableDialogAccessible::indexOfChild(const QAccessibleInterface* child) const {
  if (child == Table()) return 0;
  const int index = static_cast<int>(OtherChildren().indexOf(child));
  return index < 0 ? -1 : index + 1;
}
