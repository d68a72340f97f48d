// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main_frame.h"

#include <array>

#include "res/resource_ids.h"

namespace {

// The stretching message pane first, then the key-lock indicators, then the
// number of the board in play.
constexpr std::array<int, 5> kIndicators{
    ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL, ID_INDICATOR_BOARD,
};

// Smaller than this, the Large board and the score texts no longer fit.
constexpr int kMinTrackWidth = 640;
constexpr int kMinTrackHeight = 440;

}  // namespace

CMainFrame::CMainFrame() = default;
CMainFrame::~CMainFrame() = default;

bool CMainFrame::PreCreateWindow(CREATESTRUCT& cs) {
  // The caption stays the bare program name; there is no document name to add.
  cs.style &= ~FWS_ADDTOTITLE;
  return CFrameWnd::PreCreateWindow(cs);
}

int CMainFrame::OnCreate() {
  if (CFrameWnd::OnCreate() == -1) return -1;

  if (!m_wndToolBar.CreateEx(this, CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM, AFX_IDW_TOOLBAR) ||
      !m_wndToolBar.LoadToolBar(IDR_MAINFRAME)) {
    return -1;
  }
  if (!m_wndStatusBar.Create(this, CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP, AFX_IDW_STATUS_BAR) ||
      !m_wndStatusBar.SetIndicators(kIndicators.data(), static_cast<int>(kIndicators.size()))) {
    return -1;
  }

  m_wndToolBar.SetBarStyle(m_wndToolBar.GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY |
                           CBRS_SIZE_DYNAMIC);

  m_wndToolBar.EnableDocking(CBRS_ALIGN_ANY);
  EnableDocking(CBRS_ALIGN_ANY);
  DockControlBar(&m_wndToolBar);
  return 0;
}

void CMainFrame::OnGetMinMaxInfo(MINMAXINFO* lpMMI) {
  lpMMI->ptMinTrackSize = CPoint{kMinTrackWidth, kMinTrackHeight};
  CFrameWnd::OnGetMinMaxInfo(lpMMI);
}

void CMainFrame::RecalcLayout(bool bNotify) {
  // A docked, floated or moved toolbar leaves stale pixels around the view
  // unless the whole client area is painted afresh.
  InvalidateClient(true);
  CFrameWnd::RecalcLayout(bNotify);
}
