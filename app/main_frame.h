// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window: menu, toolbar and status bar around the board view.
#include "platform/framework.h"

class CMainFrame : public CFrameWnd {
 public:
  CMainFrame();
  ~CMainFrame() override;

  bool PreCreateWindow(CREATESTRUCT& cs) override;
  int OnCreate() override;
  void OnGetMinMaxInfo(MINMAXINFO* lpMMI) override;
  void RecalcLayout(bool bNotify = true) override;

 protected:
  CStatusBar m_wndStatusBar;
  CToolBar m_wndToolBar;
};
