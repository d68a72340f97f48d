#pragma once
// Benchmark hook, not a player feature: with KAROBLEN_EXIT_AFTER_FIRST_PAINT=1
// in the environment the program prints "first-paint <ns>" (CLOCK_MONOTONIC)
// on stdout as soon as its first board has been painted, and ends at once.
// bench/gui compares that moment with the start of the process.
#include "app/karoblen_app.h"

class CTimedKaroblenApp : public CKaroblenApp {
 public:
  bool InitInstance() override;
};
