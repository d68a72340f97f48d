// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which widget shows which of the game's windows, so that a repaint or the
// owner of a dialog can be found from the CWnd the game hands over.
#include <QWidget>

class CWnd;

void RegisterWindow(const CWnd& wnd, QWidget* widget);
void UnregisterWindow(const CWnd& wnd);
// nullptr when `wnd` has no window.
QWidget* WidgetOf(const CWnd* wnd);

// The main window, owner of dialogs that name no parent; may be nullptr.
void SetMainWidget(QWidget* widget);
QWidget* MainWidget();
