// SPDX-License-Identifier: GPL-3.0-or-later
#include "scores/brief_lock.h"

#include <sys/file.h>
#include <time.h>

#include <cerrno>

namespace {

// A save takes a few milliseconds; twenty times its worst seen is plenty.
constexpr int kTries = 20;
constexpr long kPauseNanoseconds = 50'000'000;

}  // namespace

bool LockBriefly(int fd, int operation) {
  for (int attempt = 0;; ++attempt) {
    if (::flock(fd, operation | LOCK_NB) == 0) return true;
    if (errno != EWOULDBLOCK || attempt + 1 == kTries) return false;
    const timespec pause{0, kPauseNanoseconds};
    ::nanosleep(&pause, nullptr);
  }
}
