// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Work that must not hold the window up: each piece on a thread of its own,
// its answer delivered back on the user-interface thread through the event
// loop. A thread is joined before its answer runs, so none outlives its use.
#include <functional>
#include <map>
#include <thread>

class CQtBackgroundWork {
 public:
  CQtBackgroundWork() = default;
  // Waits for every thread still running; their answers are dropped.
  ~CQtBackgroundWork();
  CQtBackgroundWork(const CQtBackgroundWork&) = delete;
  CQtBackgroundWork& operator=(const CQtBackgroundWork&) = delete;

  void Run(std::function<void()> work, std::function<void()> done);

 private:
  std::map<int, std::thread> m_threads;
  int m_nNextId = 0;
};
