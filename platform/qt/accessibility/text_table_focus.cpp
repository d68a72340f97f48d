// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/accessibility/text_table_focus.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMetaObject>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <algorithm>

#include "platform/qt/accessibility/text_table_accessible.h"

CTextTableFocus::CTextTableFocus(QWidget& window, const std::vector<QLabel*>& texts, int columns)
    : QWidget(&window),
      m_nColumns(std::max(columns, 1)),
      m_nRows(static_cast<int>(texts.size()) / m_nColumns) {
  QRect all;
  for (QLabel* text : texts) {
    m_texts.emplace_back(text);
    if (text) all |= text->geometry();
  }
  // A little room around the texts for the frame.
  setGeometry(all.adjusted(-2, -1, 2, 1));
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void MakeTextsRowCurrent(QLabel& text) {
  // The widget has no meta-object of its own, so it is told apart by its type.
  for (QWidget* child : text.window()->findChildren<QWidget*>()) {
    auto* table = dynamic_cast<CTextTableFocus*>(child);
    const int row = table ? table->RowOf(&text) : -1;
    if (row >= 0) table->SetCurrentRow(row);
  }
}

int CTextTableFocus::RowOf(const QLabel* text) const {
  for (std::size_t i = 0; i < m_texts.size(); ++i)
    if (text && m_texts[i] == text) return static_cast<int>(i) / m_nColumns;
  return -1;
}

void CTextTableFocus::SetCurrentRow(int row) {
  if (m_nRows == 0) return;
  row = std::clamp(row, 0, m_nRows - 1);
  if (row == m_nRow) return;
  m_nRow = row;
  update();
  if (hasFocus()) TellRow(false);
}

QRect CTextTableFocus::RowRect(int row) const {
  QRect all;
  for (int c = 0; c < m_nColumns; ++c) {
    const std::size_t at = static_cast<std::size_t>(row) * m_nColumns + static_cast<std::size_t>(c);
    if (at < m_texts.size() && m_texts[at]) all |= m_texts[at]->geometry();
  }
  return all.translated(-pos()).adjusted(-2, -1, 2, 1);
}

void CTextTableFocus::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Up:
      SetCurrentRow(m_nRow - 1);
      return;
    case Qt::Key_Down:
      SetCurrentRow(m_nRow + 1);
      return;
    case Qt::Key_Home:
    case Qt::Key_PageUp:
      SetCurrentRow(0);
      return;
    case Qt::Key_End:
    case Qt::Key_PageDown:
      SetCurrentRow(m_nRows - 1);
      return;
    default:
      QWidget::keyPressEvent(event);  // Enter, Escape and Tab are the window's
  }
}

void CTextTableFocus::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  update();
  TellRow(true);
}

void CTextTableFocus::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  update();
}

void CTextTableFocus::paintEvent(QPaintEvent*) {
  if (!hasFocus() || m_nRows == 0) return;
  QPainter painter(this);
  QStyleOptionFocusRect frame;
  frame.initFrom(this);
  frame.rect = RowRect(m_nRow);
  style()->drawPrimitive(QStyle::PE_FrameFocusRect, &frame, &painter, this);
}

void CTextTableFocus::TellRow(bool queued) {
  if (!QAccessible::isActive()) return;
  const auto tell = [this] {
    if (!hasFocus()) return;
    // A screen reader that already holds the row's cell, as its idea of the
    // focus, would stay silent; a new interface for it is heard.
    auto* table = dynamic_cast<CTextTableAccessible*>(QAccessible::queryAccessibleInterface(this));
    if (QAccessibleInterface* cell = table ? table->RenewCell(m_nRow, 0) : nullptr) {
      QAccessibleEvent focus(cell, QAccessible::Focus);
      QAccessible::updateAccessibility(&focus);
    }
  };
  if (queued) {
    QMetaObject::invokeMethod(this, tell, Qt::QueuedConnection);
  } else {
    tell();
  }
}
