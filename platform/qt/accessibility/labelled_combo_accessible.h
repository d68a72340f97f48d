// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A drop-down list named by the text that labels it. The toolkit's own
// interface names a drop-down by its current item on this desktop, so a
// screen reader would read "Medium" where the player needs "Board Size".
#include <QAccessibleWidget>
#include <QComboBox>

class CLabelledComboAccessible : public QAccessibleWidget {
 public:
  CLabelledComboAccessible(QComboBox& combo, const QString& name);

  QString text(QAccessible::Text t) const override;
  int childCount() const override;
  QAccessibleInterface* child(int index) const override;
  int indexOfChild(const QAccessibleInterface* child) const override;
  QStringList actionNames() const override;
  void doAction(const QString& actionName) override;

 private:
  QComboBox& Combo() const { return *static_cast<QComboBox*>(widget()); }

  QString m_name;
};
