// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/accessibility/menu_item_accessible.h"

#include <QAccessible>
#include <QStyle>

#include "platform/qt/accessibility/accessible_override.h"

void TellShortcutAsAccelerator(QMenu& menu, QAction& action) {
  OverrideAccessibleInterface(new CMenuItemAccessible(menu, action));
}

QString AcceleratorOf(const QKeySequence& shortcut) {
  if (shortcut.isEmpty()) return {};
  const QKeyCombination key = shortcut[0];
  QString text;
  if (key.keyboardModifiers() & Qt::ControlModifier) text += "<Control>";
  if (key.keyboardModifiers() & Qt::ShiftModifier) text += "<Shift>";
  if (key.keyboardModifiers() & Qt::AltModifier) text += "<Alt>";
  const QString name = QKeySequence(key.key()).toString(QKeySequence::PortableText);
  // Letters are written small, other keys by their name.
  return text + (name.size() == 1 ? name.toLower() : name);
}

QWindow* CMenuItemAccessible::window() const {
  return m_menu ? m_menu->window()->windowHandle() : nullptr;
}

QAccessibleInterface* CMenuItemAccessible::parent() const {
  return m_menu ? QAccessible::queryAccessibleInterface(m_menu) : nullptr;
}

QString CMenuItemAccessible::text(QAccessible::Text t) const {
  if (!isValid()) return {};
  if (t == QAccessible::Name) {
    // As the menu shows it, without the marks of its mnemonic.
    QString name = m_action->text();
    for (qsizetype i = 0; i < name.size(); ++i)
      if (name[i] == '&') name.remove(i, 1);  // "&&" leaves one "&"
    return name;
  }
  if (t == QAccessible::Accelerator) return m_action->shortcut().toString(QKeySequence::NativeText);
  return {};
}

QRect CMenuItemAccessible::rect() const {
  if (!isValid()) return {};
  const QRect inMenu = m_menu->actionGeometry(m_action);
  return {m_menu->mapToGlobal(inMenu.topLeft()), inMenu.size()};
}

QAccessible::State CMenuItemAccessible::state() const {
  QAccessible::State state;
  if (!isValid()) {
    state.invalid = true;
    return state;
  }
  state.invisible = !m_menu->isVisible() || !m_action->isVisible();
  state.focusable = true;
  state.focused = m_menu->isVisible() && m_menu->activeAction() == m_action;
  state.hotTracked = m_menu->style()->styleHint(QStyle::SH_Menu_MouseTracking, nullptr, m_menu);
  state.disabled = !m_action->isEnabled();
  state.checkable = m_action->isCheckable();
  state.checked = m_action->isChecked();
  return state;
}

void* CMenuItemAccessible::interface_cast(QAccessible::InterfaceType type) {
  return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                              : nullptr;
}

QStringList CMenuItemAccessible::actionNames() const {
  if (!isValid() || !m_action->isEnabled()) return {};
  return {m_action->isCheckable() ? toggleAction() : pressAction()};
}

void CMenuItemAccessible::doAction(const QString& actionName) {
  if (!isValid() || !m_action->isEnabled()) return;
  if (actionName == pressAction() || actionName == toggleAction()) {
    m_menu->hide();
    m_action->trigger();
  }
}

QStringList CMenuItemAccessible::keyBindingsForAction(const QString&) const {
  if (!isValid()) return {};
  // The toolkit joins the fields with ';'.
  return {QString(), QString(), AcceleratorOf(m_action->shortcut())};
}
