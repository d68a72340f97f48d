// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/options_dlg.h"

#include "game/rules.h"
#include "res/resource_ids.h"

namespace {
// The lists hold, in order, Small/Medium/Large and 2/3/4/5 tiles; the
// fallbacks are the start-up settings.
constexpr int kSizeItems = kBoardSizeCount;
constexpr int kKindsItems = kTileKindChoices;
constexpr int kFewestKinds = kMinTileKinds;
constexpr int kDefaultSizeIndex = kStartBoardSize;
constexpr int kDefaultKindsIndex = kStartTileKinds - kMinTileKinds;

// Board sizes and item indexes coincide.
int SizeToIndex(int boardSize) {
  return boardSize >= 0 && boardSize < kSizeItems ? boardSize : kDefaultSizeIndex;
}
int KindsIndexOrDefault(int index) {
  return index >= 0 && index < kKindsItems ? index : kDefaultKindsIndex;
}
int KindsToIndex(int tileKinds) { return KindsIndexOrDefault(tileKinds - kFewestKinds); }
}  // namespace

COptionsDlg::COptionsDlg(int nBoardSize, int nTileKinds, CWnd* pParent)
    : CDialog(IDD_OPTIONS, pParent),
      m_nSizeIndex(SizeToIndex(nBoardSize)),
      m_nKindsIndex(KindsToIndex(nTileKinds)) {}

COptionsDlg::~COptionsDlg() = default;

int COptionsDlg::GetBoardSize() const { return SizeToIndex(m_nSizeIndex); }

int COptionsDlg::GetTileKinds() const { return KindsIndexOrDefault(m_nKindsIndex) + kFewestKinds; }

void COptionsDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_TILEKINDS, m_cbTileKinds);
  DDX_Control(pDX, IDC_BOARDSIZE, m_cbBoardSize);
}

bool COptionsDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_cbBoardSize.SetCurSel(m_nSizeIndex);
  m_cbTileKinds.SetCurSel(m_nKindsIndex);
  m_cbBoardSize.SetFocus();
  // The focus is set above; true would let the platform move it.
  return false;
}

void COptionsDlg::OnCommand(int nID, int nNotifyCode) {
  if (nNotifyCode == CBN_SELCHANGE) {
    if (nID == IDC_BOARDSIZE) {
      OnSelchangeBoardSize();
      return;
    }
    if (nID == IDC_TILEKINDS) {
      OnSelchangeTileKinds();
      return;
    }
  }
  CDialog::OnCommand(nID, nNotifyCode);
}

void COptionsDlg::OnSelchangeBoardSize() { m_nSizeIndex = m_cbBoardSize.GetCurSel(); }

void COptionsDlg::OnSelchangeTileKinds() { m_nKindsIndex = m_cbTileKinds.GetCurSel(); }

void COptionsDlg::OnOK() {
  m_bCancelled = false;
  CDialog::OnOK();
}

void COptionsDlg::OnCancel() {
  m_bCancelled = true;
  CDialog::OnCancel();
}
