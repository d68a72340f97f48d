// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The score file's name is relative, so each fuzz target works in a directory
// of its own, where nothing else lives: in memory when the system offers it,
// since every input is written out.
#include <stdlib.h>
#include <unistd.h>

#include <string>

// Makes the directory, enters it, and returns its path; aborts on failure.
inline std::string EnterFuzzScratchDirectory(const char* target) {
  const char* base = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
  std::string pattern = std::string(base) + "/karoblen-" + target + "-XXXXXX";
  if (!::mkdtemp(pattern.data()) || ::chdir(pattern.c_str()) != 0) ::abort();
  return pattern;
}
