// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The process's peak resident memory so far, from /proc. The benchmark's
// programs report it themselves: a spawned child's own rusage would start
// from the memory of the parent that spawned it.
#include <cstdio>
#include <cstdlib>
#include <cstring>

inline long PeakMemoryKb() {
  long kb = -1;
  if (std::FILE* status = std::fopen("/proc/self/status", "r")) {
    char line[256];
    while (std::fgets(line, sizeof line, status))
      if (std::strncmp(line, "VmHWM:", 6) == 0) kb = std::atol(line + 6);
    std::fclose(status);
  }
  return kb;
}
