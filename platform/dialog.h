// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A modal dialog built from a numbered template. The game derives from it and
// overrides the handlers it needs; the platform builds the window, calls
// OnInitDialog, delivers timer, mouse and command messages while DoModal
// blocks, and destroys the window when EndDialog has been called.
#include "platform/wnd.h"

class CDialog : public CWnd {
 public:
  explicit CDialog(int templateId, CWnd* parent = nullptr)
      : m_nIDTemplate(templateId), m_pParent(parent) {}

  int GetTemplateId() const { return m_nIDTemplate; }
  CWnd* GetParent() const { return m_pParent; }

  // Blocks until the dialog ends; returns the value given to EndDialog.
  virtual int DoModal();
  void EndDialog(int result);
  bool IsEnding() const { return m_bEnding; }
  int GetResult() const { return m_nResult; }
  // The close request: ends the dialog through OnCancel.
  void SendClose() { OnClose(); }

  void SetTimer(int timerId, int milliseconds);
  void KillTimer(int timerId);

  // Handlers, called by the platform.
  // Exchanges data into the controls; true lets the platform focus the first
  // control that takes it.
  virtual bool OnInitDialog();
  virtual void OnOK();      // the OK button and Enter
  virtual void OnCancel();  // the Cancel button and Escape
  virtual void OnClose() { OnCancel(); }
  virtual void OnTimer(int) {}
  virtual void OnLButtonDown(unsigned, CPoint) {}
  virtual void OnDestroy() {}
  // Buttons other than OK and Cancel, combo-box selection changes and edits
  // the player changes.
  virtual void OnCommand(int, int) {}

  // Called by the platform when the window has been built (and torn down).
  void BeginModalState();

 private:
  int m_nIDTemplate;
  CWnd* m_pParent;
  bool m_bEnding = false;
  int m_nResult = IDCANCEL;
};
