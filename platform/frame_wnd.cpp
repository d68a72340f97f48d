// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/frame_wnd.h"

bool CToolBar::CreateEx(CFrameWnd* parent, unsigned style, int id) {
  m_pSite = parent ? parent->GetFrameSite() : nullptr;
  if (!m_pSite) return false;
  m_dwStyle = style;
  return m_pSite->CreateToolBar(style, id);
}

bool CToolBar::LoadToolBar(int resourceId) { return m_pSite && m_pSite->LoadToolBar(resourceId); }

void CToolBar::SetBarStyle(unsigned style) {
  m_dwStyle = style;
  if (m_pSite) m_pSite->SetToolBarStyle(style);
}

void CToolBar::EnableDocking(unsigned sides) {
  if (m_pSite) m_pSite->EnableToolBarDocking(sides);
}

bool CStatusBar::Create(CFrameWnd* parent, unsigned style, int id) {
  m_pSite = parent ? parent->GetFrameSite() : nullptr;
  return m_pSite && m_pSite->CreateStatusBar(style, id);
}

bool CStatusBar::SetIndicators(const int* ids, int count) {
  return m_pSite && m_pSite->SetIndicators(ids, count);
}

bool CFrameWnd::PreCreateWindow(CREATESTRUCT&) { return true; }

void CFrameWnd::RecalcLayout(bool) {
  if (m_pFrameSite) m_pFrameSite->LayoutBars();
}

void CFrameWnd::EnableDocking(unsigned sides) {
  if (m_pFrameSite) m_pFrameSite->EnableFrameDocking(sides);
}

void CFrameWnd::DockControlBar(CToolBar*) {
  // The frame has one toolbar, so the site knows which one is meant.
  if (m_pFrameSite) m_pFrameSite->DockToolBar();
}

void CFrameWnd::InvalidateClient(bool erase) {
  if (m_pFrameSite) m_pFrameSite->InvalidateClient(erase);
}
