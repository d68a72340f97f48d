#pragma once
// The buttons and modifier keys held during a mouse message, as the
// MK_* bits the game's handlers receive.
#include <QMouseEvent>

inline unsigned MouseFlags(const QMouseEvent& event) {
  unsigned flags = 0;
  if (event.buttons() & Qt::LeftButton) flags |= 0x0001;
  if (event.buttons() & Qt::RightButton) flags |= 0x0002;
  if (event.modifiers() & Qt::ShiftModifier) flags |= 0x0004;
  if (event.modifiers() & Qt::ControlModifier) flags |= 0x0008;
  if (event.buttons() & Qt::MiddleButton) flags |= 0x0010;
  return flags;
}
