// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The How to Play window: the rules, the scoring and the commands in one
// scrolling text from the string table, closed by OK or Escape.
#include "platform/dialog.h"

class CHowToPlayDlg : public CDialog {
 public:
  explicit CHowToPlayDlg(CWnd* parent = nullptr);
  ~CHowToPlayDlg() override;

  bool OnInitDialog() override;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;

 private:
  CEdit m_Text;
};
