// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Hands accessible interfaces of our own to the toolkit's accessibility
// cache: one in place of the interface the toolkit would make for a widget,
// or one for a part of a widget that has no object of its own.
#include <QAccessible>
#include <QAccessibleInterface>
#include <memory>

// Hands `iface` to the toolkit's accessibility cache, which owns it from then
// on and deletes it with its object; any interface made for that object
// before goes.
void OverrideAccessibleInterface(QAccessibleInterface* iface);

// Hands `iface` to the cache, which owns it from then on, until
// QAccessible::deleteAccessibleInterface(id). (Only the cache may delete an
// interface through its base.)
template <class Interface>
QAccessible::Id RegisterAccessibleInterface(std::unique_ptr<Interface> iface) {
  return QAccessible::registerAccessibleInterface(iface.release());
}
