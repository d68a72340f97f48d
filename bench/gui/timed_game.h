// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game as it starts up, built for timing: it prints "first-paint <ns>"
// (CLOCK_MONOTONIC) and "peak-kb <KiB>" on stdout as soon as its first board
// has been painted, and ends at once; with --play it plays a sound first and
// prints its peak after that, with --wait it waits as long without one. bench_gui compares that
// moment with the process start.
#include "app/karoblen_app.h"

class CTimedKaroblenApp : public CKaroblenApp {
 public:
  bool InitInstance() override;
};
