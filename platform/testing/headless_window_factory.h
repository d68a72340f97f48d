// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Puts up the main window without a desktop: the frame gets a
// CMemoryFrameSite, a form view gets a CMemoryControlSite built from its
// template, and the view receives one size notification after its first
// initial update, as on the desktop.
//
// It installs itself as WindowFactory() when constructed and puts the
// previous factory back when destroyed.
#include <string>
#include <vector>

#include "platform/framework.h"
#include "platform/testing/memory_control_site.h"
#include "platform/testing/memory_frame_site.h"

class CHeadlessWindowFactory : public CWindowFactory {
 public:
  CHeadlessWindowFactory();
  ~CHeadlessWindowFactory() override;
  CHeadlessWindowFactory(const CHeadlessWindowFactory&) = delete;
  CHeadlessWindowFactory& operator=(const CHeadlessWindowFactory&) = delete;

  bool CreateMainWindow(int resourceId, CFrameWnd& frame, CView& view) override;
  void ShowMainWindow() override;
  void CloseMainWindow() override;
  void OnFirstInitialUpdate(CFrameWnd& frame, CView& view) override;

  // Sends the view OnSize(0, cx, cy), as resizing the window would.
  void Resize(int cx, int cy);

  // Client size of the view delivered after the first initial update.
  int clientWidth = 632;
  int clientHeight = 353;

  // "create 128" (or "create 128 failed"), "size 632x353", "show", "close".
  std::vector<std::string> events;
  bool shown = false;
  bool closed = false;
  // The window style after PreCreateWindow; starts with FWS_ADDTOTITLE set.
  unsigned createStyle = 0;
  // What the frame's OnGetMinMaxInfo filled in during creation.
  MINMAXINFO minMaxInfo;

  CMemoryFrameSite frameSite;
  CMemoryControlSite viewSite;
  CFrameWnd* frame = nullptr;  // set while the window exists
  CView* view = nullptr;

 private:
  CWindowFactory* m_pPrevious;
};
