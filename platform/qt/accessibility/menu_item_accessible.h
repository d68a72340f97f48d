// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A menu command that has a shortcut, as assistive technology sees it: named
// by its text, and with the shortcut as the accelerator of its key binding.
// The toolkit's own item reports the shortcut as the binding's only field,
// which a screen reader takes for the mnemonic path and never speaks; the
// binding it reads is "mnemonic;path;accelerator", the accelerator written
// as "<Control>o".
#include <QAccessibleInterface>
#include <QAction>
#include <QMenu>
#include <QPointer>

// Puts such an interface in place of the toolkit's for `action` in `menu`.
void TellShortcutAsAccelerator(QMenu& menu, QAction& action);

// "<Control>o" for Ctrl+O: the first key of the sequence, as the desktop's
// accelerators are written; empty for an empty sequence.
QString AcceleratorOf(const QKeySequence& shortcut);

class CMenuItemAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
 public:
  CMenuItemAccessible(QMenu& menu, QAction& action) : m_menu(&menu), m_action(&action) {}

  bool isValid() const override { return m_menu && m_action; }
  QObject* object() const override { return m_action; }
  QWindow* window() const override;
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessibleInterface* parent() const override;
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QString text(QAccessible::Text t) const override;
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override;
  QAccessible::Role role() const override { return QAccessible::MenuItem; }
  QAccessible::State state() const override;
  void* interface_cast(QAccessible::InterfaceType type) override;

  QStringList actionNames() const override;
  void doAction(const QString& actionName) override;
  QStringList keyBindingsForAction(const QString& actionName) const override;

 private:
  QPointer<QMenu> m_menu;
  QPointer<QAction> m_action;
};
