// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/how_to_play_dlg.h"

#include "res/resource_ids.h"
#include "res/string_table.h"

CHowToPlayDlg::CHowToPlayDlg(CWnd* parent) : CDialog(IDD_HOWTOPLAY, parent) {}
CHowToPlayDlg::~CHowToPlayDlg() = default;

void CHowToPlayDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_HOWTOPLAY_TEXT, m_Text);
}

bool CHowToPlayDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_Text.SetWindowText(res::LoadString(IDS_HOWTOPLAY_TEXT));
  // The text starts at its top; OK has the focus, so Escape and Enter close.
  return true;
}
