// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/dialog.h"

#include "platform/host.h"

int CDialog::DoModal() { return Host().RunModal(*this); }

void CDialog::EndDialog(int result) {
  m_bEnding = true;
  m_nResult = result;
}

void CDialog::BeginModalState() {
  // A dialog object can be shown again; each showing starts afresh.
  m_bEnding = false;
  m_nResult = IDCANCEL;
}

void CDialog::SetTimer(int timerId, int milliseconds) {
  if (auto* site = GetSite()) site->SetTimer(timerId, milliseconds);
}

void CDialog::KillTimer(int timerId) {
  if (auto* site = GetSite()) site->KillTimer(timerId);
}

bool CDialog::OnInitDialog() {
  UpdateData(false);
  return true;
}

void CDialog::OnOK() {
  UpdateData(true);
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }
