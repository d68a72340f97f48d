// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/accessibility/labelled_combo_accessible.h"

#include <QAbstractItemView>
#include <QPointer>

#include "platform/qt/accessibility/accessible_override.h"

namespace {

// One item of the list, read only: choosing is the drop-down's business.
class CComboItemAccessible final : public QAccessibleInterface {
 public:
  CComboItemAccessible(QComboBox& combo, int index) : m_combo(&combo), m_nIndex(index) {}

  bool isValid() const override { return m_combo && m_nIndex < m_combo->count(); }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return m_combo ? m_combo->window()->windowHandle() : nullptr; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessibleInterface* parent() const override {
    return m_combo ? QAccessible::queryAccessibleInterface(m_combo) : nullptr;
  }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QString text(QAccessible::Text t) const override {
    return t == QAccessible::Name && isValid() ? m_combo->itemText(m_nIndex) : QString();
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override {
    return m_combo ? QRect(m_combo->mapToGlobal(QPoint(0, 0)), m_combo->size()) : QRect();
  }
  QAccessible::Role role() const override { return QAccessible::ListItem; }
  QAccessible::State state() const override {
    QAccessible::State state;
    if (!isValid()) {
      state.invalid = true;
      return state;
    }
    const bool current = m_combo->currentIndex() == m_nIndex;
    state.selectable = true;
    state.focusable = true;
    state.selected = current;
    state.focused = current && m_combo->hasFocus();
    state.invisible = !current && !m_combo->view()->isVisible();
    return state;
  }

 private:
  QPointer<QComboBox> m_combo;
  const int m_nIndex;
};

}  // namespace

CLabelledComboAccessible::CLabelledComboAccessible(QComboBox& combo, const QString& name)
    : QAccessibleWidget(&combo, QAccessible::ComboBox), m_name(name) {
  // The id, not `this`: the cache may delete the interface before the
  // combo box goes.
  QObject::connect(&combo, &QComboBox::currentIndexChanged, &combo, [&combo] {
    if (!QAccessible::isActive()) return;
    if (auto* self =
            dynamic_cast<CLabelledComboAccessible*>(QAccessible::queryAccessibleInterface(&combo)))
      self->ChoiceChanged();
  });
}

CLabelledComboAccessible::~CLabelledComboAccessible() {
  for (QAccessible::Id id : m_itemIds)
    if (id) QAccessible::deleteAccessibleInterface(id);
}

QAccessibleInterface* CLabelledComboAccessible::Item(int index) const {
  if (index < 0 || index >= Combo().count()) return nullptr;
  if (static_cast<int>(m_itemIds.size()) <= index) m_itemIds.resize(index + 1, 0);
  QAccessible::Id& id = m_itemIds[index];
  if (!id)
    id = RegisterAccessibleInterface(
        std::make_unique<CComboItemAccessible>(const_cast<QComboBox&>(Combo()), index));
  return QAccessible::accessibleInterface(id);
}

void CLabelledComboAccessible::ChoiceChanged() {
  if (!QAccessible::isActive() || !Combo().hasFocus()) return;
  if (QAccessibleInterface* item = Item(Combo().currentIndex())) {
    QAccessibleEvent focus(item, QAccessible::Focus);
    QAccessible::updateAccessibility(&focus);
  }
}

QString CLabelledComboAccessible::text(QAccessible::Text t) const {
  if (t == QAccessible::Name) return m_name;
  if (t == QAccessible::Value) return Combo().currentText();
  return QAccessibleWidget::text(t);
}

QAccessible::State CLabelledComboAccessible::state() const {
  QAccessible::State state = QAccessibleWidget::state();
  state.expandable = true;
  state.expanded = Combo().view()->isVisible();
  state.collapsed = !state.expanded;
  state.hasPopup = true;
  state.readOnly = true;
  return state;
}

int CLabelledComboAccessible::childCount() const { return Combo().count(); }

QAccessibleInterface* CLabelledComboAccessible::child(int index) const { return Item(index); }

int CLabelledComboAccessible::indexOfChild(const QAccessibleInterface* child) const {
  for (int i = 0; child && i < static_cast<int>(m_itemIds.size()); ++i)
    if (m_itemIds[i] && QAccessible::accessibleInterface(m_itemIds[i]) == child) return i;
  return -1;
}

QStringList CLabelledComboAccessible::actionNames() const { return {showMenuAction()}; }

void CLabelledComboAccessible::doAction(const QString& actionName) {
  if (actionName == showMenuAction()) Combo().showPopup();
}

void* CLabelledComboAccessible::interface_cast(QAccessible::InterfaceType type) {
  if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
  return QAccessibleWidget::interface_cast(type);
}

void CLabelledComboAccessible::selection(int, int* startOffset, int* endOffset) const {
  *startOffset = *endOffset = 0;
}

QString CLabelledComboAccessible::text(int startOffset, int endOffset) const {
  const QString all = Combo().currentText();
  if (endOffset < 0 || endOffset > all.size()) endOffset = static_cast<int>(all.size());
  if (startOffset < 0) startOffset = 0;
  return startOffset < endOffset ? all.mid(startOffset, endOffset - startOffset) : QString();
}

int CLabelledComboAccessible::characterCount() const {
  return static_cast<int>(Combo().currentText().size());
}

QString CLabelledComboAccessible::attributes(int, int* startOffset, int* endOffset) const {
  *startOffset = 0;
  *endOffset = characterCount();
  return {};
}
