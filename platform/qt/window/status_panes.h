// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The status bar's panes: the message pane ("Ready", or the prompt of the
// command under the pointer), the key-lock indicators, and panes whose text
// the game gives, such as the board's number.
#include <QLabel>
#include <QStatusBar>
#include <functional>
#include <optional>
#include <vector>

#include "platform/qt/x11/key_locks.h"

class CQtStatusPanes {
 public:
  explicit CQtStatusPanes(QStatusBar& bar);

  // Pane ids in order; 0 is the message pane, others are indicators whose
  // text is the string with that id.
  bool SetIndicators(const int* ids, int count);
  // A status tip from a menu item or a button; `overCommand` says whether a
  // command is under the pointer, whose prompt may be empty.
  void ShowPrompt(const QString& prompt, bool overCommand);
  void ShowIdle();
  // A message of the game's own, shown until the next prompt.
  void ShowMessage(const QString& text) { m_pMessage->setText(text); }
  QString Message() const { return m_pMessage->text(); }
  // An indicator shows its text only while its lock is on; all stay blank
  // when the locks are unknown.
  void ShowLocks(const std::optional<KeyLocks>& locks);
  // Every pane that is neither the message nor a key lock shows what
  // `textOf` gives for its id, or stays as it is when that is nothing. A
  // pane is touched only when its text changes, so assistive technology
  // hears of it only then.
  void ShowTexts(const std::function<std::optional<QString>(int id)>& textOf);
  // The text of pane `id`; empty when there is no such pane.
  QString PaneText(int id) const;

 private:
  struct Indicator {
    int id;
    QString text;
    QLabel* label;
    bool isLock;
  };
  QStatusBar& m_bar;
  QLabel* m_pMessage;
  std::vector<Indicator> m_indicators;
  CKeyLockWatcher m_locks;
};
