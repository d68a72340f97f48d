// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/board_number_dlg.h"

#include "game/board_number.h"
#include "res/game_texts.h"
#include "res/resource_ids.h"

std::string CBoardNumberDlg::ReadNumber(std::string_view text, unsigned& nNumber) {
  switch (ReadBoardNumber(text, nNumber)) {
    case BoardNumberFault::None:
      return {};
    case BoardNumberFault::Empty:
      return std::string(res::Text(res::TextId::BoardNumberEmpty));
    case BoardNumberFault::NotDigits:
      return std::string(res::Text(res::TextId::BoardNumberNotDigits));
    case BoardNumberFault::TooLarge:
      return std::string(res::Text(res::TextId::BoardNumberTooLarge));
  }
  return {};
}

CBoardNumberDlg::CBoardNumberDlg(unsigned nNumber, CWnd* pParent)
    : CDialog(IDD_BOARDNUMBER, pParent), m_strNumber(std::to_string(nNumber)), m_nNumber(nNumber) {}

void CBoardNumberDlg::DoDataExchange(CDataExchange* pDX) {
  DDX_Control(pDX, IDC_BOARDNUMBER, m_editNumber);
  DDX_Control(pDX, IDC_BOARDNUMBER_HINT, m_stHint);
  DDX_Text(pDX, IDC_BOARDNUMBER, m_strNumber);
}

bool CBoardNumberDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SelectField();
  return false;  // the focus is set already
}

void CBoardNumberDlg::SelectField() {
  // Selected whole, so that typing replaces the number.
  m_editNumber.SetFocus();
  m_editNumber.SetSel(0, -1);
}

void CBoardNumberDlg::OnOK() {
  UpdateData(true);
  unsigned nNumber = 0;
  if (const std::string hint = ReadNumber(m_strNumber, nNumber); !hint.empty()) {
    // Refused in place: the text stays for mending and the hint says why.
    m_stHint.SetWindowText(hint);
    SelectField();
    return;
  }
  m_nNumber = nNumber;
  EndDialog(IDOK);
}
