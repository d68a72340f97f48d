// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Collects a board size and a number of tile kinds. It only reports the
// choice; whoever runs it decides what to do with it.
#include "platform/dialog.h"
#include "platform/wnd.h"

class COptionsDlg : public CDialog {
 public:
  // nBoardSize 0-2 and nTileKinds 2-5 preselect their items; anything else
  // preselects Medium and 3 kinds.
  COptionsDlg(int nBoardSize, int nTileKinds, CWnd* pParent = nullptr);
  ~COptionsDlg() override;

  int GetBoardSize() const;
  int GetTileKinds() const;
  bool IsCancelled() const { return m_bCancelled; }

  void DoDataExchange(CDataExchange* pDX) override;
  bool OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  void OnCommand(int nID, int nNotifyCode) override;
  void OnSelchangeBoardSize();
  void OnSelchangeTileKinds();

 private:
  CComboBox m_cbTileKinds;
  CComboBox m_cbBoardSize;
  int m_nSizeIndex;
  int m_nKindsIndex;
  // Only OK clears it, so a dialog that never ran leaves the game alone.
  bool m_bCancelled = true;
};
