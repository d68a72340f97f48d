// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The buttons and modifier keys held during a mouse message, as the MK_*
// bits the game's handlers receive.
#include <QMouseEvent>

#include "platform/afx_types.h"

inline unsigned MouseFlags(const QMouseEvent& event) {
  unsigned flags = 0;
  if (event.buttons() & Qt::LeftButton) flags |= MK_LBUTTON;
  if (event.buttons() & Qt::RightButton) flags |= MK_RBUTTON;
  if (event.modifiers() & Qt::ShiftModifier) flags |= MK_SHIFT;
  if (event.modifiers() & Qt::ControlModifier) flags |= MK_CONTROL;
  if (event.buttons() & Qt::MiddleButton) flags |= MK_MBUTTON;
  return flags;
}
