// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's status bar: an etched line along its upper edge when its
// style asks for one, and the desktop's usual inner margin before the first
// pane, so the message does not touch the window's edge.
#include <QStatusBar>

class CQtStatusBar final : public QStatusBar {
 public:
  CQtStatusBar(bool topBorder, QWidget* parent);
  bool HasTopBorder() const { return m_bTopBorder; }
  // The gap the desktop's style keeps between a window's edge and its content.
  int InnerMargin() const;

 protected:
  void changeEvent(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void ApplyMargins();
  bool m_bTopBorder;
};
