// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A template window's controls kept in memory, for tests: built from a dialog
// template (texts, visibility, enabled state, geometry, combo lists from the
// template's initialisation data), with helpers that act as the player would.
#include <map>
#include <string>
#include <vector>

#include "platform/control_site.h"
#include "res/dialog_templates.h"

class CDialog;

class CMemoryControlSite : public CControlSite {
 public:
  // What a new edit control accepts before LimitText is called.
  static constexpr int kDefaultEditLimit = 30000;

  struct Control {
    int id = 0;
    res::ControlKind kind = res::ControlKind::Static;
    std::string text;
    bool visible = true;
    bool enabled = true;
    int x = 0, y = 0, width = 0, height = 0;  // pixels
    int limit = 0;                            // edits only; characters
    int selStart = 0, selEnd = 0;             // edits only; characters
    std::vector<std::string> items;           // combo boxes only
    int curSel = -1;                          // combo boxes only
  };

  CMemoryControlSite() = default;
  // The controls of template `templateId`; none when there is no such template.
  explicit CMemoryControlSite(int templateId);

  // Adds a control by hand, for windows that have no template.
  Control& AddControl(int id, res::ControlKind kind, const std::string& text = "");
  // nullptr when there is no control `id`.
  const Control* Find(int id) const;
  // Controls in template (tab) order.
  const std::vector<Control>& Controls() const { return m_controls; }

  // Dialog that timers, clicks and selections are delivered to; RunModal of
  // the recording host sets it.
  void AttachDialog(CDialog* dialog) { m_pDialog = dialog; }
  CDialog* GetDialog() const { return m_pDialog; }

  // Player actions.
  // Types `text` over the edit's selection (or at its caret), refusing what
  // goes beyond the edit's limit, as a real edit does, and sends the dialog
  // OnCommand(id, EN_CHANGE).
  void TypeText(int id, const std::string& text);
  // Selects the whole text and types `text` over it.
  void ReplaceText(int id, const std::string& text);
  // Picks combo item `index` and sends the dialog OnCommand(id, CBN_SELCHANGE).
  void Select(int id, int index);
  // Presses a visible, enabled button: IDOK -> OnOK, IDCANCEL -> OnCancel,
  // any other -> OnCommand(id, BN_CLICKED).
  void Click(int id);
  void PressEnter();   // OnOK
  void PressEscape();  // OnCancel
  // One period of every active timer, in timer-id order: OnTimer(id) for
  // each, stopping once the dialog ends. Returns how many were delivered.
  int FireTimers();

  // Timers now running: timer id -> period in ms.
  const std::map<int, int>& ActiveTimers() const { return m_timers; }
  void Enable(int id, bool enabled);
  int GetSelStart(int id) const;
  int GetSelEnd(int id) const;

  int windowFocusCount = 0;

  // CControlSite
  bool HasControl(int id) const override;
  void SetText(int id, const std::string& text) override;
  std::string GetText(int id) const override;
  void Show(int id, bool visible) override;
  bool IsVisible(int id) const override;
  bool IsEnabled(int id) const override;
  void Move(int id, int x, int y, int width, int height) override;
  void SetFocus(int id) override;
  void FocusWindow() override {
    m_nFocus = 0;
    ++windowFocusCount;
  }
  int GetFocus() const override { return m_nFocus; }
  void SetLimitText(int id, int maxChars) override;
  int GetLimitText(int id) const override;
  void SetSel(int id, int start, int end) override;
  void AddString(int id, const std::string& item) override;
  int GetCount(int id) const override;
  std::string GetItemText(int id, int index) const override;
  int GetCurSel(int id) const override;
  void SetCurSel(int id, int index) override;
  void SetTimer(int timerId, int milliseconds) override;
  void KillTimer(int timerId) override;
  void SetCurrentRow(int id) override {
    if (HasControl(id)) currentRowText = id;
  }

  // The text whose row was made current last; 0 if none.
  int currentRowText = 0;

 private:
  Control* FindMutable(int id);

  std::vector<Control> m_controls;
  std::map<int, int> m_timers;
  int m_nFocus = 0;
  CDialog* m_pDialog = nullptr;
};

// Dialog units of the templates' 8-point font in pixels (a quarter of the
// 6-pixel average character width, an eighth of the 13-pixel height).
int DialogUnitsToPixelsX(int units);
int DialogUnitsToPixelsY(int units);
