// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wnd.h"

// Controls of a window that does not exist (yet) ignore every request, as a
// control object that was never bound would.

void CControl::SetWindowText(const std::string& text) {
  if (auto* site = Site()) site->SetText(m_nID, text);
}

std::string CControl::GetWindowText() const {
  auto* site = Site();
  return site ? site->GetText(m_nID) : std::string();
}

void CControl::ShowWindow(int showCommand) {
  if (auto* site = Site()) site->Show(m_nID, showCommand != SW_HIDE);
}

void CControl::MoveWindow(int x, int y, int width, int height, bool) {
  // The toolkit repaints a moved control on its own.
  if (auto* site = Site()) site->Move(m_nID, x, y, width, height);
}

void CControl::SetFocus() {
  if (auto* site = Site()) site->SetFocus(m_nID);
}

void CStatic::MakeRowCurrent() {
  if (auto* site = Site()) site->SetCurrentRow(m_nID);
}

void CEdit::LimitText(int maxChars) {
  if (auto* site = Site()) site->SetLimitText(m_nID, maxChars);
}

void CEdit::SetSel(int start, int end) {
  if (auto* site = Site()) site->SetSel(m_nID, start, end);
}

int CComboBox::AddString(const std::string& item) {
  auto* site = Site();
  if (!site) return -1;
  site->AddString(m_nID, item);
  return site->GetCount(m_nID) - 1;
}

int CComboBox::GetCount() const {
  auto* site = Site();
  return site ? site->GetCount(m_nID) : 0;
}

int CComboBox::GetCurSel() const {
  auto* site = Site();
  return site ? site->GetCurSel(m_nID) : -1;
}

void CComboBox::SetCurSel(int index) {
  if (auto* site = Site()) site->SetCurSel(m_nID, index);
}

std::string CComboBox::GetLBText(int index) const {
  auto* site = Site();
  return site ? site->GetItemText(m_nID, index) : std::string();
}
