// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Gives a widget that shows a board its accessible table (CFormAccessible).
#include <QWidget>

#include "platform/accessible_board.h"

// The board a widget shows, or nullptr for any other widget. The window
// layer knows its board widgets; this layer only asks.
using BoardOfWidget = const CAccessibleBoard* (*)(QWidget* widget);

// Installs, once per run, the factory; before the widget's interface is
// first asked for.
void InstallAccessibleBoardFactory(BoardOfWidget boardOf);
