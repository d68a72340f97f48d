// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/window/status_panes.h"

#include "platform/qt/common/qt_text.h"
#include "res/resource_ids.h"
#include "res/string_table.h"

namespace {
QString ResourceString(int id) {
  const char* text = res::LoadString(id);
  return text ? ToQString(text) : QString();
}

bool IsLockIndicator(int id) {
  return id == ID_INDICATOR_CAPS || id == ID_INDICATOR_NUM || id == ID_INDICATOR_SCRL;
}

constexpr int kPanePadding = 12;
}  // namespace

CQtStatusPanes::CQtStatusPanes(QStatusBar& bar)
    : m_bar(bar),
      m_pMessage(new QLabel(&bar)),
      m_locks([this](const KeyLocks& locks) { ShowLocks(locks); }) {
  m_pMessage->setTextFormat(Qt::PlainText);
  // A message longer than its room is cut at the right; it never pushes the
  // panes beside it out of the window.
  m_pMessage->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  m_bar.addWidget(m_pMessage, 1);
  ShowIdle();
}

bool CQtStatusPanes::SetIndicators(const int* ids, int count) {
  for (auto& indicator : m_indicators) delete indicator.label;
  m_indicators.clear();
  for (int i = 0; i < count; ++i) {
    if (ids[i] == ID_SEPARATOR) continue;
    const bool isLock = IsLockIndicator(ids[i]);
    const QString text = isLock ? ResourceString(ids[i]) : QString();
    auto* label = new QLabel(&m_bar);
    label->setAlignment(Qt::AlignCenter);
    label->setTextFormat(Qt::PlainText);
    // Wide enough for the text, so the panes do not jump when a lock changes.
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(text) + kPanePadding);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_bar.addPermanentWidget(label);
    m_indicators.push_back({ids[i], text, label, isLock});
  }
  ShowLocks(m_locks.Current());
  return true;
}

void CQtStatusPanes::ShowPrompt(const QString& prompt, bool overCommand) {
  if (!prompt.isEmpty() || overCommand)
    m_pMessage->setText(prompt);
  else
    ShowIdle();
}

void CQtStatusPanes::ShowIdle() { m_pMessage->setText(ResourceString(AFX_IDS_IDLEMESSAGE)); }

void CQtStatusPanes::ShowLocks(const std::optional<KeyLocks>& locks) {
  for (const Indicator& indicator : m_indicators) {
    if (!indicator.isLock) continue;
    bool on = false;
    if (locks) {
      if (indicator.id == ID_INDICATOR_CAPS) on = locks->caps;
      if (indicator.id == ID_INDICATOR_NUM) on = locks->num;
      if (indicator.id == ID_INDICATOR_SCRL) on = locks->scroll;
    }
    const QString shown = on ? indicator.text : QString();
    if (indicator.label->text() != shown) indicator.label->setText(shown);
  }
}

void CQtStatusPanes::ShowTexts(const std::function<std::optional<QString>(int id)>& textOf) {
  for (const Indicator& indicator : m_indicators) {
    if (indicator.isLock) continue;
    const std::optional<QString> text = textOf(indicator.id);
    if (!text || indicator.label->text() == *text) continue;
    indicator.label->setText(*text);
    // A pane only grows, so that it does not jump about as numbers change.
    const int width = indicator.label->fontMetrics().horizontalAdvance(*text) + kPanePadding;
    if (width > indicator.label->minimumWidth()) indicator.label->setMinimumWidth(width);
  }
}

QString CQtStatusPanes::PaneText(int id) const {
  for (const Indicator& indicator : m_indicators)
    if (indicator.id == id) return indicator.label->text();
  return {};
}
