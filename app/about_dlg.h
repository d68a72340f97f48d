// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The About box: everything it shows comes from template 100.
#include "platform/dialog.h"

class CAboutDlg : public CDialog {
 public:
  explicit CAboutDlg(CWnd* parent = nullptr);
  ~CAboutDlg() override;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
};
