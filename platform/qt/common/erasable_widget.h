// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A widget that paints without erasing its background unless asked: the
// board covers every cell on each paint, and skipping the erase keeps the
// settling animation free of flicker.
#include <QWidget>

class CErasableWidget : public QWidget {
 public:
  explicit CErasableWidget(QWidget* parent = nullptr) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
  }
  void EraseOnNextPaint() { m_bErase = true; }

 protected:
  // True once after an erase was asked for; the caller fills the background.
  bool TakeErase() {
    const bool erase = m_bErase;
    m_bErase = false;
    return erase;
  }

 private:
  bool m_bErase = true;  // the first paint starts from nothing
};
