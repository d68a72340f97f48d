// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A drop-down list named by the text that labels it. The toolkit's own
// interface names a drop-down by its current item on this desktop, so a
// screen reader would read "Medium" where the player needs "Board Size".
//
// The chosen item must be heard all the same. A screen reader takes a
// drop-down's value from its text, so the current item is offered as the
// drop-down's read-only text; and it speaks a change only as a new object
// taking the focus, so each item is a child of its own, and the current one
// is told focused whenever the choice changes under the keyboard.
#include <QAccessibleWidget>
#include <QComboBox>
#include <vector>

class CLabelledComboAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
 public:
  CLabelledComboAccessible(QComboBox& combo, const QString& name);
  ~CLabelledComboAccessible() override;
  CLabelledComboAccessible(const CLabelledComboAccessible&) = delete;
  CLabelledComboAccessible& operator=(const CLabelledComboAccessible&) = delete;

  // The interface of item `index`, or nullptr past the list's end.
  QAccessibleInterface* Item(int index) const;

  QString text(QAccessible::Text t) const override;
  QAccessible::State state() const override;
  int childCount() const override;
  QAccessibleInterface* child(int index) const override;
  int indexOfChild(const QAccessibleInterface* child) const override;
  QStringList actionNames() const override;
  void doAction(const QString& actionName) override;
  void* interface_cast(QAccessible::InterfaceType type) override;

  // QAccessibleTextInterface: the current item's text, read only.
  void selection(int, int* startOffset, int* endOffset) const override;
  int selectionCount() const override { return 0; }
  void addSelection(int, int) override {}
  void removeSelection(int) override {}
  void setSelection(int, int, int) override {}
  int cursorPosition() const override { return 0; }
  void setCursorPosition(int) override {}
  QString text(int startOffset, int endOffset) const override;
  int characterCount() const override;
  QRect characterRect(int) const override { return {}; }
  int offsetAtPoint(const QPoint&) const override { return -1; }
  void scrollToSubstring(int, int) override {}
  QString attributes(int, int* startOffset, int* endOffset) const override;

 private:
  QComboBox& Combo() const { return *static_cast<QComboBox*>(widget()); }
  // Tells the current item focused, as the choice changed under the focus.
  void ChoiceChanged();

  QString m_name;
  // One per item, made when first asked for; the toolkit's accessibility
  // cache owns them.
  mutable std::vector<QAccessible::Id> m_itemIds;
};
