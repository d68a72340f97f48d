#pragma once
// Commands travel view -> document -> main window -> application; the
// document of this game handles none, so the route skips it.

// Enables or greys one command; the platform applies the state to the menu
// item and the toolbar button of the command together.
class CCmdUI {
 public:
  explicit CCmdUI(int id) : m_nID(id) {}
  void Enable(bool on = true) {
    m_bEnabled = on;
    m_bHandled = true;
  }
  int m_nID;
  bool m_bEnabled = true;
  bool m_bHandled = false;
};

class CCmdTarget {
 public:
  virtual ~CCmdTarget() = default;
  // True when the command was handled here.
  virtual bool OnCmdMsg(int) { return false; }
  // True when this target decided the command's state.
  virtual bool OnUpdateCmdUI(CCmdUI&) { return false; }
};
