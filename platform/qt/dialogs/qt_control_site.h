// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The controls of a template window as widgets, reached by id, plus the
// window's timers. Shared by modal dialogs and the form view.
#include <QObject>
#include <QWidget>
#include <functional>
#include <map>
#include <vector>

#include "platform/control_site.h"
#include "res/dialog_templates.h"

class CQtControlSite : public CControlSite {
 public:
  using TimerHandler = std::function<void(int timerId)>;

  // Creates the template's controls as children of `window`, whose font
  // must already be the template's.
  CQtControlSite(QWidget& window, const res::DialogTemplate& dialogTemplate, TimerHandler onTimer);
  ~CQtControlSite() override;

  struct Control {
    int id;
    res::ControlKind kind;
    QWidget* widget;
  };
  // In template order.
  const std::vector<Control>& Controls() const { return m_controls; }
  QWidget* Widget(int id) const;
  // Fills the lists from the template's initialisation data, in order.
  void AddInitialItems(const res::DialogTemplate& dialogTemplate);
  void KillAllTimers();

  bool HasControl(int id) const override;
  void SetText(int id, const std::string& text) override;
  std::string GetText(int id) const override;
  void Show(int id, bool visible) override;
  bool IsVisible(int id) const override;
  bool IsEnabled(int id) const override;
  void Move(int id, int x, int y, int width, int height) override;
  void SetFocus(int id) override;
  void FocusWindow() override;
  int GetFocus() const override;
  void SetLimitText(int id, int maxChars) override;
  int GetLimitText(int id) const override;
  void SetSel(int id, int start, int end) override;
  void AddString(int id, const std::string& item) override;
  int GetCount(int id) const override;
  std::string GetItemText(int id, int index) const override;
  int GetCurSel(int id) const override;
  void SetCurSel(int id, int index) override;
  void SetCurrentRow(int id) override;
  void SetTimer(int timerId, int milliseconds) override;
  void KillTimer(int timerId) override;

 private:
  class TimerRelay : public QObject {
   public:
    explicit TimerRelay(CQtControlSite& site) : m_site(site) {}

   protected:
    void timerEvent(QTimerEvent* event) override;

   private:
    CQtControlSite& m_site;
  };

  QWidget& m_window;
  std::vector<Control> m_controls;
  TimerHandler m_onTimer;
  TimerRelay m_timerRelay{*this};
  std::map<int, int> m_qtTimerOf;  // the window's timer id -> Qt's
};
