// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wnd.h"

#include "platform/host.h"

void CWnd::SetDlgItemText(int id, const std::string& text) {
  if (m_pSite) m_pSite->SetText(id, text);
}

std::string CWnd::GetDlgItemText(int id) const {
  return m_pSite ? m_pSite->GetText(id) : std::string();
}

void CWnd::SetFocus() {
  if (m_pSite) m_pSite->FocusWindow();
}

void CWnd::RepaintNow(bool erase) {
  Host().Repaint(*this, erase ? RepaintMode::NowErase : RepaintMode::Now);
}

void CWnd::RepaintLater() { Host().Repaint(*this, RepaintMode::Later); }

void CWnd::UpdateData(bool saveAndValidate) {
  CDataExchange dx(this, saveAndValidate);
  DoDataExchange(&dx);
}
