// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/window/status_bar.h"

#include <QEvent>
#include <QPainter>
#include <QStyle>
#include <algorithm>

namespace {
// An etched line: a row of shadow over a row of light.
constexpr int kBorderHeight = 2;
// The bar itself leaves this much before its first pane.
constexpr int kBarOwnIndent = 2;
}  // namespace

CQtStatusBar::CQtStatusBar(bool topBorder, QWidget* parent)
    : QStatusBar(parent), m_bTopBorder(topBorder) {
  ApplyMargins();
}

int CQtStatusBar::InnerMargin() const {
  return style()->pixelMetric(QStyle::PM_LayoutLeftMargin, nullptr, this);
}

void CQtStatusBar::ApplyMargins() {
  setContentsMargins(std::max(0, InnerMargin() - kBarOwnIndent), m_bTopBorder ? kBorderHeight : 0,
                     0, 0);
}

void CQtStatusBar::changeEvent(QEvent* event) {
  QStatusBar::changeEvent(event);
  if (event->type() == QEvent::StyleChange) ApplyMargins();
}

void CQtStatusBar::paintEvent(QPaintEvent* event) {
  QStatusBar::paintEvent(event);
  if (!m_bTopBorder) return;
  QPainter painter(this);
  painter.setPen(palette().color(QPalette::Dark));
  painter.drawLine(0, 0, width() - 1, 0);
  painter.setPen(palette().color(QPalette::Light));
  painter.drawLine(0, 1, width() - 1, 1);
}
