// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wnd.h"

void DDX_Control(CDataExchange* pDX, int id, CControl& control) {
  control.Attach(pDX->m_pDlgWnd, id);
  pDX->m_idLastControl = id;
}

void DDX_Text(CDataExchange* pDX, int id, std::string& value) {
  pDX->m_idLastControl = id;
  if (pDX->m_bSaveAndValidate)
    value = pDX->m_pDlgWnd->GetDlgItemText(id);
  else
    pDX->m_pDlgWnd->SetDlgItemText(id, value);
}

void DDV_MaxChars(CDataExchange* pDX, std::string& value, int maxChars) {
  if (pDX->m_bSaveAndValidate) {
    // The edit's own limit already stops typing; this also catches text that
    // was set from code.
    value = Utf8Left(value, maxChars);
    return;
  }
  CControlSite* site = pDX->m_pDlgWnd->GetSite();
  if (site && pDX->m_idLastControl != 0) site->SetLimitText(pDX->m_idLastControl, maxChars);
}
