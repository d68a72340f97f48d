// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One QAction per command, shared by the menu bar and the toolbar, with the
// command's accelerator, status-bar prompt and tooltip.
#include <QAction>
#include <QMenuBar>
#include <QToolBar>
#include <functional>
#include <map>

class CQtCommandActions {
 public:
  using Trigger = std::function<void(int command)>;
  CQtCommandActions(QObject& owner, Trigger trigger);

  // Builds the main menu from the resources, creating the actions.
  void BuildMenuBar(QMenuBar& bar, const std::function<void()>& beforeMenuShows);
  // Adds the toolbar's buttons, pictures cut from its bitmap; false when the
  // bitmap is missing.
  bool FillToolBar(QToolBar& bar, int bitmapId);

  QAction* Action(int command) const;
  const std::map<int, QAction*>& Actions() const { return m_actions; }
  // The command of an action of this set, or 0.
  int CommandOf(const QAction* action) const;

 private:
  QAction* MakeAction(int command, const QString& text);

  QObject& m_owner;
  Trigger m_trigger;
  std::map<int, QAction*> m_actions;
};
