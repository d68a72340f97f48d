// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a window built from a dialog template offers its code: its controls,
// addressed by id, and its timers. The Qt layer implements it with widgets;
// tests use CMemoryControlSite, which keeps the same state in memory.
#include <string>

class CControlSite {
 public:
  virtual ~CControlSite() = default;

  virtual bool HasControl(int id) const = 0;
  virtual void SetText(int id, const std::string& text) = 0;
  virtual std::string GetText(int id) const = 0;
  virtual void Show(int id, bool visible) = 0;
  virtual bool IsVisible(int id) const = 0;
  virtual bool IsEnabled(int id) const = 0;
  // Pixels in the window's client area.
  virtual void Move(int id, int x, int y, int width, int height) = 0;
  virtual void SetFocus(int id) = 0;
  // The window itself takes the keyboard focus from its controls; when it
  // has it already, assistive technology is told afresh where it lies.
  virtual void FocusWindow() = 0;
  virtual int GetFocus() const = 0;  // id of the focused control, 0 if none

  // Edit controls.
  virtual void SetLimitText(int id, int maxChars) = 0;
  virtual int GetLimitText(int id) const = 0;
  // `end` -1 selects to the end of the text.
  virtual void SetSel(int id, int start, int end) = 0;

  // Combo boxes.
  virtual void AddString(int id, const std::string& item) = 0;
  virtual int GetCount(int id) const = 0;
  virtual std::string GetItemText(int id, int index) const = 0;
  virtual int GetCurSel(int id) const = 0;  // -1 when nothing is selected
  // Selecting from code raises no selection-change notification.
  virtual void SetCurSel(int id, int index) = 0;

  // Texts that stand in a table: the row of text `id` is where the keyboard
  // starts when it enters the table.
  virtual void SetCurrentRow(int id) = 0;

  // Timers deliver OnTimer(timerId) to the window every `milliseconds`.
  virtual void SetTimer(int timerId, int milliseconds) = 0;
  virtual void KillTimer(int timerId) = 0;
};
