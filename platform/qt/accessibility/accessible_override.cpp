// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/accessibility/accessible_override.h"

#include <QAccessible>

void OverrideAccessibleInterface(QAccessibleInterface* iface) {
  // The toolkit makes an object's interface on first demand and keeps it;
  // two for one object would leave one of them unreachable.
  if (QAccessibleInterface* made = QAccessible::queryAccessibleInterface(iface->object()))
    QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
  QAccessible::registerAccessibleInterface(iface);
}
