// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Puts up the application's main window on the desktop.
#include <memory>

#include "platform/framework.h"
#include "platform/qt/window/main_window.h"

class CQtWindowFactory : public CWindowFactory {
 public:
  ~CQtWindowFactory() override;

  bool CreateMainWindow(int resourceId, CFrameWnd& frame, CView& view) override;
  void ShowMainWindow() override;
  void CloseMainWindow() override;
  void OnFirstInitialUpdate(CFrameWnd& frame, CView& view) override;

  CQtMainWindow* MainWindow() const { return m_pWindow.get(); }
  // Before the application object goes, the widgets that point into it go.
  void DestroyMainWindow();

 private:
  std::unique_ptr<CQtMainWindow> m_pWindow;
};
