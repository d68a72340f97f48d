// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/dialogs/qt_control_site.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTimerEvent>
#include <QValidator>
#include <algorithm>

#include "platform/qt/accessibility/text_table_focus.h"
#include "platform/qt/common/qt_text.h"
#include "platform/qt/dialogs/template_controls.h"

namespace {

// An edit's limit in characters, as the game counts them, where the toolkit's
// own limit counts UTF-16 units and so a letter beyond the first plane twice.
// What goes beyond it is refused at the caret, where it was typed or pasted.
class CCharacterLimit : public QValidator {
 public:
  CCharacterLimit(int maxChars, QObject* parent) : QValidator(parent), m_nMaxChars(maxChars) {}
  int MaxChars() const { return m_nMaxChars; }

  State validate(QString& input, int& pos) const override {
    qsizetype characters = 0;
    for (qsizetype i = 0; i < input.size(); ++i)
      if (!input[i].isLowSurrogate()) ++characters;
    while (characters > m_nMaxChars && pos > 0) {
      const qsizetype width = pos > 1 && input[pos - 1].isLowSurrogate() ? 2 : 1;
      input.remove(pos - width, width);
      pos -= static_cast<int>(width);
      --characters;
    }
    return characters > m_nMaxChars ? Invalid : Acceptable;
  }

 private:
  int m_nMaxChars;
};

}  // namespace

CQtControlSite::CQtControlSite(QWidget& window, const res::DialogTemplate& dialogTemplate,
                               TimerHandler onTimer)
    : m_window(window), m_onTimer(std::move(onTimer)) {
  const DialogBaseUnits units = BaseUnitsOf(window.font());
  for (const res::ControlTemplate& control : dialogTemplate.controls)
    m_controls.push_back(
        {control.id, control.kind, CreateTemplateControl(control, units, &window)});
}

CQtControlSite::~CQtControlSite() { KillAllTimers(); }

QWidget* CQtControlSite::Widget(int id) const {
  for (const Control& control : m_controls)
    if (control.id == id) return control.widget;
  return nullptr;
}

void CQtControlSite::AddInitialItems(const res::DialogTemplate& dialogTemplate) {
  for (const res::ComboInit& item : dialogTemplate.initData) AddString(item.controlId, item.text);
}

void CQtControlSite::KillAllTimers() {
  for (const auto& [timerId, qtTimer] : m_qtTimerOf) m_timerRelay.killTimer(qtTimer);
  m_qtTimerOf.clear();
}

bool CQtControlSite::HasControl(int id) const { return Widget(id) != nullptr; }

void CQtControlSite::SetText(int id, const std::string& text) {
  QWidget* widget = Widget(id);
  if (auto* label = qobject_cast<QLabel*>(widget)) {
    label->setText(ToQString(text));
    FitStaticToText(*label);
  } else if (auto* button = qobject_cast<QAbstractButton*>(widget))
    button->setText(ToQString(text));
  else if (auto* edit = qobject_cast<QLineEdit*>(widget))
    edit->setText(ToQString(text));
  else if (auto* box = qobject_cast<QPlainTextEdit*>(widget))
    box->setPlainText(ToQString(text));
}

std::string CQtControlSite::GetText(int id) const {
  QWidget* widget = Widget(id);
  if (auto* label = qobject_cast<QLabel*>(widget)) return ToStdString(label->text());
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) return ToStdString(button->text());
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) return ToStdString(edit->text());
  if (auto* box = qobject_cast<QPlainTextEdit*>(widget)) return ToStdString(box->toPlainText());
  if (auto* combo = qobject_cast<QComboBox*>(widget)) return ToStdString(combo->currentText());
  return {};
}

void CQtControlSite::Show(int id, bool visible) {
  if (QWidget* widget = Widget(id)) widget->setVisible(visible);
}

// Whether the control itself is shown, also while its window is still
// being set up and not yet on screen.
bool CQtControlSite::IsVisible(int id) const {
  QWidget* widget = Widget(id);
  return widget && !widget->isHidden();
}

bool CQtControlSite::IsEnabled(int id) const {
  QWidget* widget = Widget(id);
  return widget && widget->isEnabled();
}

void CQtControlSite::Move(int id, int x, int y, int width, int height) {
  QWidget* widget = Widget(id);
  if (!widget) return;
  widget->setGeometry(x, y, width, height);
  if (auto* label = qobject_cast<QLabel*>(widget)) FitStaticToText(*label);
}

void CQtControlSite::SetFocus(int id) {
  if (QWidget* widget = Widget(id)) widget->setFocus(Qt::OtherFocusReason);
}

void CQtControlSite::FocusWindow() {
  if (!m_window.hasFocus()) {
    m_window.setFocus(Qt::OtherFocusReason);
    return;
  }
  if (!QAccessible::isActive()) return;
  QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&m_window);
  if (!window) return;
  QAccessibleInterface* focused = window->focusChild();
  QAccessibleEvent event(focused ? focused : window, QAccessible::Focus);
  QAccessible::updateAccessibility(&event);
}

void CQtControlSite::SetCurrentRow(int id) {
  if (auto* text = qobject_cast<QLabel*>(Widget(id))) MakeTextsRowCurrent(*text);
}

int CQtControlSite::GetFocus() const {
  // The window's focus child, which is known even before the window is active.
  QWidget* focused = m_window.window()->focusWidget();
  for (const Control& control : m_controls)
    if (control.widget == focused && control.id != -1) return control.id;
  return 0;
}

void CQtControlSite::SetLimitText(int id, int maxChars) {
  auto* edit = qobject_cast<QLineEdit*>(Widget(id));
  if (!edit) return;
  delete edit->validator();
  edit->setValidator(new CCharacterLimit(maxChars, edit));
}

int CQtControlSite::GetLimitText(int id) const {
  auto* edit = qobject_cast<QLineEdit*>(Widget(id));
  if (!edit) return 0;
  const auto* limit = dynamic_cast<const CCharacterLimit*>(edit->validator());
  return limit ? limit->MaxChars() : edit->maxLength();
}

void CQtControlSite::SetSel(int id, int start, int end) {
  auto* edit = qobject_cast<QLineEdit*>(Widget(id));
  if (!edit) return;
  const int length = static_cast<int>(edit->text().size());
  const int last = (end < 0 || end > length) ? length : end;
  const int first = std::min(std::max(start, 0), last);
  edit->setSelection(first, last - first);
}

void CQtControlSite::AddString(int id, const std::string& item) {
  auto* combo = qobject_cast<QComboBox*>(Widget(id));
  if (!combo) return;
  // A list starts with nothing selected; the toolkit would select its first
  // item on its own.
  const QSignalBlocker blocker(combo);
  const int selected = combo->currentIndex();
  combo->addItem(ToQString(item));
  combo->setCurrentIndex(selected);
}

int CQtControlSite::GetCount(int id) const {
  auto* combo = qobject_cast<QComboBox*>(Widget(id));
  return combo ? combo->count() : 0;
}

std::string CQtControlSite::GetItemText(int id, int index) const {
  auto* combo = qobject_cast<QComboBox*>(Widget(id));
  return combo ? ToStdString(combo->itemText(index)) : std::string();
}

int CQtControlSite::GetCurSel(int id) const {
  auto* combo = qobject_cast<QComboBox*>(Widget(id));
  return combo ? combo->currentIndex() : -1;
}

void CQtControlSite::SetCurSel(int id, int index) {
  auto* combo = qobject_cast<QComboBox*>(Widget(id));
  if (!combo) return;
  const QSignalBlocker blocker(combo);
  combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
}

void CQtControlSite::SetTimer(int timerId, int milliseconds) {
  KillTimer(timerId);
  m_qtTimerOf[timerId] = m_timerRelay.startTimer(std::max(milliseconds, 0), Qt::PreciseTimer);
}

void CQtControlSite::KillTimer(int timerId) {
  const auto it = m_qtTimerOf.find(timerId);
  if (it == m_qtTimerOf.end()) return;
  m_timerRelay.killTimer(it->second);
  m_qtTimerOf.erase(it);
}

void CQtControlSite::TimerRelay::timerEvent(QTimerEvent* event) {
  for (const auto& [timerId, qtTimer] : m_site.m_qtTimerOf) {
    if (qtTimer == event->timerId()) {
      if (m_site.m_onTimer) m_site.m_onTimer(timerId);
      return;
    }
  }
}
