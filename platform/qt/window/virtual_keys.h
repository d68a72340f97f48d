// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The keys a view is told of, as the VK_* codes its OnKeyDown receives.
#include <QKeyEvent>

#include "platform/afx_types.h"

// 0 for any other key, and for keys held with Ctrl, Alt or Meta, which
// belong to the menus and accelerators.
inline unsigned VirtualKeyOf(const QKeyEvent& event) {
  if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return 0;
  switch (event.key()) {
    case Qt::Key_Left:
      return VK_LEFT;
    case Qt::Key_Right:
      return VK_RIGHT;
    case Qt::Key_Up:
      return VK_UP;
    case Qt::Key_Down:
      return VK_DOWN;
    case Qt::Key_Space:
      return VK_SPACE;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return VK_RETURN;
    default:
      return 0;
  }
}
