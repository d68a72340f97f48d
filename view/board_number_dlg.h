// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Asks for the number of a board to play. OK takes only a number that names
// a board; anything else stays in the field, with the hint under it saying
// what is wrong, until the player mends it or cancels.
#include <string>
#include <string_view>

#include "platform/dialog.h"
#include "platform/wnd.h"

class CBoardNumberDlg : public CDialog {
 public:
  // Opens with `nNumber` in the field, fully selected.
  explicit CBoardNumberDlg(unsigned nNumber, CWnd* pParent = nullptr);

  // The number accepted by OK; the one it opened with otherwise.
  unsigned GetBoardNumber() const { return m_nNumber; }
  // Reads `text` as OK does: empty, and `nNumber` set, when it names a
  // board; otherwise the hint saying what is wrong with it.
  static std::string ReadNumber(std::string_view text, unsigned& nNumber);

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  bool OnInitDialog() override;
  void OnOK() override;

 private:
  void SelectField();

  CEdit m_editNumber;
  CStatic m_stHint;
  std::string m_strNumber;
  unsigned m_nNumber;
};
