// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/common/window_registry.h"

#include <QPointer>
#include <map>

namespace {
std::map<const CWnd*, QPointer<QWidget>>& Windows() {
  static std::map<const CWnd*, QPointer<QWidget>> windows;
  return windows;
}
QPointer<QWidget>& Main() {
  static QPointer<QWidget> main;
  return main;
}
}  // namespace

void RegisterWindow(const CWnd& wnd, QWidget* widget) { Windows()[&wnd] = widget; }

void UnregisterWindow(const CWnd& wnd) { Windows().erase(&wnd); }

QWidget* WidgetOf(const CWnd* wnd) {
  const auto it = Windows().find(wnd);
  return it == Windows().end() ? nullptr : it->second.data();
}

void SetMainWidget(QWidget* widget) { Main() = widget; }

QWidget* MainWidget() { return Main().data(); }
