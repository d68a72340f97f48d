// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Commands travel view -> document -> main window -> application; the
// document of this game handles none, so the route skips it.
#include <string>
#include <utility>

// Enables or greys one command; the platform applies the state to the menu
// item and the toolbar button of the command together.
class CCmdUI {
 public:
  explicit CCmdUI(int id) : m_nID(id) {}
  void Enable(bool on = true) {
    m_bEnabled = on;
    m_bHandled = true;
  }
  // A command that is set on or off; the menu shows a check mark when on.
  void SetCheck(int check = 1) {
    m_nCheck = check;
    m_bHandled = true;
  }
  // The text of a status-bar pane with this id, for panes that show more
  // than whether a key lock is on.
  void SetText(std::string text) {
    m_strText = std::move(text);
    m_bHasText = true;
    m_bHandled = true;
  }
  int m_nID;
  bool m_bEnabled = true;
  bool m_bHandled = false;
  int m_nCheck = -1;  // never set: the command is not one that is on or off
  bool m_bHasText = false;
  std::string m_strText;
};

class CCmdTarget {
 public:
  virtual ~CCmdTarget() = default;
  // True when the command was handled here.
  virtual bool OnCmdMsg(int) { return false; }
  // True when this target decided the command's state.
  virtual bool OnUpdateCmdUI(CCmdUI&) { return false; }
};
