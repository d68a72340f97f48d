// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window: menu, accelerators, toolbar and status bar from the
// resources, the view in the middle, and the frame's hooks (creation, size
// limits, layout) called where the toolkit gives the chance.
#include <QMainWindow>
#include <QToolBar>
#include <memory>

#include "platform/framework.h"
#include "platform/qt/window/command_actions.h"
#include "platform/qt/window/form_view_widget.h"
#include "platform/qt/window/status_panes.h"

class CQtMainWindow : public QMainWindow, public CFrameSite {
 public:
  CQtMainWindow(int resourceId, CFrameWnd& frame, CView& view);
  ~CQtMainWindow() override;

  // PreCreateWindow and OnCreate; false when the frame refused.
  bool Create();
  CQtFormViewWidget& ViewWidget() { return *m_pView; }
  // Asks the application whether each command is enabled and greys the
  // menu item and toolbar button of the disabled ones, and what the
  // status bar's panes of the game's own show. Runs by itself
  // whenever the event loop has handled something and is about to wait, so
  // a change of the game from any input or command shows before the next
  // wait, and nothing runs while nothing happens.
  void UpdateCommandStates();
  const CQtCommandActions& Commands() const { return *m_pCommands; }
  QToolBar* ToolBar() const { return m_pToolBar; }
  CQtStatusPanes* StatusPanes() const { return m_pStatus.get(); }
  // No pop-up menu for hiding the bars: the window always shows them.
  QMenu* createPopupMenu() override { return nullptr; }

  bool CreateToolBar(unsigned style, int id) override;
  bool LoadToolBar(int resourceId) override;
  void SetToolBarStyle(unsigned style) override;
  void EnableToolBarDocking(unsigned sides) override;
  void EnableFrameDocking(unsigned sides) override;
  void DockToolBar() override;
  bool CreateStatusBar(unsigned style, int id) override;
  bool SetIndicators(const int* ids, int count) override;
  void InvalidateClient(bool erase) override;
  void LayoutBars() override;

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void ApplyMinimumSize();
  void RunCommand(int command);
  void ShowStatusTip(const QString& tip);

  CFrameWnd& m_frame;
  CQtFormViewWidget* m_pView;
  std::unique_ptr<CQtCommandActions> m_pCommands;
  QToolBar* m_pToolBar = nullptr;
  std::unique_ptr<CQtStatusPanes> m_pStatus;
};
