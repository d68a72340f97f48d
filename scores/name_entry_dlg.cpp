// SPDX-License-Identifier: GPL-3.0-or-later
#include "scores/name_entry_dlg.h"

#include "res/resource_ids.h"
#include "res/string_table.h"
#include "scores/latin1_text.h"

CNameEntryDlg::CNameEntryDlg(CWnd* parent) : CDialog(IDD_NAMEENTRY, parent) {}

void CNameEntryDlg::DoDataExchange(CDataExchange* pDX) {
  DDX_Control(pDX, IDC_NAME, m_editName);
  DDX_Text(pDX, IDC_NAME, m_strName);
  DDV_MaxChars(pDX, m_strName, kMaxNameChars);
}

bool CNameEntryDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  // The previous name is offered fully selected, so typing replaces it.
  m_editName.SetFocus();
  m_editName.SetSel(0, -1);
  m_editName.ScrollCaret();
  return false;  // the focus is set already
}

void CNameEntryDlg::OnOK() {
  // The standard OK takes the text in, cut to the limit, and ends with OK.
  CDialog::OnOK();
}

void CNameEntryDlg::OnCommand(int id, int notification) {
  if (id != IDC_NAME || notification != EN_CHANGE) return;
  const Latin1Split split = SplitByLatin1(GetDlgItemText(IDC_NAME));
  if (!split.refused.empty()) {
    SetDlgItemText(IDC_NAME, split.kept);
    m_editName.SetSel(kMaxNameChars, kMaxNameChars);  // the caret after what is kept
  }
  // The hint stays until the next keystroke that the file can keep.
  SetDlgItemText(IDC_NAME_HINT, split.refused.empty()
                                    ? std::string()
                                    : res::FormatString(IDS_NAME_REFUSED, {split.refused}));
}
