// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Puts a widget's accessible interface of our own in place of the one the
// toolkit would make for it.
#include <QAccessibleInterface>

// Hands `iface` to the toolkit's accessibility cache, which owns it from then
// on and deletes it with its object; any interface made for that object
// before goes.
void OverrideAccessibleInterface(QAccessibleInterface* iface);
