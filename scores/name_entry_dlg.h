// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The prompt for the player's name after a score made the table. It has no
// Cancel button; Escape leaves the name it was opened with.
#include <string>

#include "platform/dialog.h"

class CNameEntryDlg : public CDialog {
 public:
  // Characters, not bytes: the name is kept as one Latin-1 byte each, and
  // the prompt takes no other character, so each one typed is one stored.
  static constexpr int kMaxNameChars = 16;

  explicit CNameEntryDlg(CWnd* parent = nullptr);

  // UTF-8, as the desktop shows and returns it.
  void SetName(const std::string& name) { m_strName = name; }
  std::string GetName() const { return m_strName; }

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  bool OnInitDialog() override;
  void OnOK() override;
  // Takes back at once what the score file could not keep, and says so.
  void OnCommand(int id, int notification) override;

 private:
  CEdit m_editName;
  std::string m_strName;
};
