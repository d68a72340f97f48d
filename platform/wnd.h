// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Windows whose controls come from a numbered template, the control objects
// the game binds to them, and data exchange between controls and fields.
#include <string>

#include "platform/afx_types.h"
#include "platform/control_site.h"

class CDataExchange;

class CWnd {
 public:
  CWnd() = default;
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;
  virtual ~CWnd() = default;

  // Set by the platform while the window exists; nullptr otherwise.
  void AttachSite(CControlSite* site) { m_pSite = site; }
  CControlSite* GetSite() const { return m_pSite; }
  bool HasWindow() const { return m_pSite != nullptr; }

  void SetDlgItemText(int id, const std::string& text);
  std::string GetDlgItemText(int id) const;

  // Binds the controls (DDX_Control) and moves values between them and the
  // fields: into the controls, or back when `saveAndValidate` is set.
  virtual void DoDataExchange(CDataExchange*) {}
  void UpdateData(bool saveAndValidate = true);

  // Repaint modes of the whole client area (see RepaintMode).
  void RepaintNow(bool erase = false);
  void RepaintLater();
  // The window takes the keyboard focus (see CControlSite::FocusWindow).
  void SetFocus();

 private:
  CControlSite* m_pSite = nullptr;
};

// A control of a template window, reached by id. Binding happens in
// DoDataExchange through DDX_Control.
class CControl {
 public:
  void Attach(CWnd* owner, int id) {
    m_pOwner = owner;
    m_nID = id;
  }
  int GetDlgCtrlID() const { return m_nID; }
  bool IsAttached() const { return m_pOwner != nullptr && m_pOwner->GetSite() != nullptr; }

  void SetWindowText(const std::string& text);
  std::string GetWindowText() const;
  void ShowWindow(int showCommand);  // SW_SHOW or SW_HIDE
  void MoveWindow(int x, int y, int width, int height, bool repaint = true);
  void SetFocus();

 protected:
  CControlSite* Site() const { return m_pOwner ? m_pOwner->GetSite() : nullptr; }

  CWnd* m_pOwner = nullptr;
  int m_nID = 0;
};

class CStatic : public CControl {
 public:
  // In a table of texts, this text's row is the one the keyboard starts on.
  void MakeRowCurrent();
};
class CButton : public CControl {};

class CEdit : public CControl {
 public:
  void LimitText(int maxChars);
  void SetSel(int start, int end);
  // The caret is always kept in view by the toolkit; kept for readability.
  void ScrollCaret() {}
};

class CComboBox : public CControl {
 public:
  int AddString(const std::string& item);
  int GetCount() const;
  int GetCurSel() const;
  void SetCurSel(int index);
  std::string GetLBText(int index) const;
};

class CDataExchange {
 public:
  CDataExchange(CWnd* wnd, bool saveAndValidate)
      : m_pDlgWnd(wnd), m_bSaveAndValidate(saveAndValidate) {}
  CWnd* m_pDlgWnd;
  bool m_bSaveAndValidate;
  int m_idLastControl = 0;
};

void DDX_Control(CDataExchange* pDX, int id, CControl& control);
void DDX_Text(CDataExchange* pDX, int id, std::string& value);
// On loading, limits the last exchanged edit control to `maxChars`; on saving,
// cuts the value to that many characters (UTF-8 aware).
void DDV_MaxChars(CDataExchange* pDX, std::string& value, int maxChars);

// Counts UTF-8 characters; text from the toolkit is always UTF-8.
int Utf8Length(const std::string& text);
std::string Utf8Left(const std::string& text, int characters);
