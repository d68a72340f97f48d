// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/accessibility/labelled_combo_accessible.h"

#include <QAbstractItemView>

CLabelledComboAccessible::CLabelledComboAccessible(QComboBox& combo, const QString& name)
    : QAccessibleWidget(&combo, QAccessible::ComboBox), m_name(name) {}

QString CLabelledComboAccessible::text(QAccessible::Text t) const {
  if (t == QAccessible::Name) return m_name;
  if (t == QAccessible::Value) return Combo().currentText();
  return QAccessibleWidget::text(t);
}

// The list that drops down is the one child.
int CLabelledComboAccessible::childCount() const { return 1; }

QAccessibleInterface* CLabelledComboAccessible::child(int index) const {
  return index == 0 ? QAccessible::queryAccessibleInterface(Combo().view()) : nullptr;
}

int CLabelledComboAccessible::indexOfChild(const QAccessibleInterface* child) const {
  return child && child->object() == Combo().view() ? 0 : -1;
}

QStringList CLabelledComboAccessible::actionNames() const { return {showMenuAction()}; }

void CLabelledComboAccessible::doAction(const QString& actionName) {
  if (actionName == showMenuAction()) Combo().showPopup();
}
