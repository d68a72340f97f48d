// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/accessibility/accessible_board_factory.h"

#include "platform/qt/accessibility/form_accessible.h"

namespace {
BoardOfWidget g_boardOf = nullptr;

QAccessibleInterface* BoardFactory(const QString&, QObject* object) {
  auto* widget = qobject_cast<QWidget*>(object);
  const CAccessibleBoard* board = widget && g_boardOf ? g_boardOf(widget) : nullptr;
  return board ? new CFormAccessible(widget, *board) : nullptr;
}
}  // namespace

void InstallAccessibleBoardFactory(BoardOfWidget boardOf) {
  if (g_boardOf) return;
  g_boardOf = boardOf;
  QAccessible::installFactory(BoardFactory);
}
