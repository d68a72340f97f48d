// SPDX-License-Identifier: GPL-3.0-or-later
#include "scores/brief_lock.h"

#include <sys/file.h>
#include <time.h>

#include <cerrno>

#include "scores/file_calls.h"

namespace {

constexpr long kPauseMilliseconds = 50;
// A save takes a few milliseconds; twenty times its worst seen is plenty for
// a load, which goes on anyway.
constexpr int kLoadWaitMilliseconds = 1000;
// On a disk that takes 700 ms a sync, a save takes 1.4 s (two syncs), so a
// game waiting behind one or two others needs about three seconds; three
// times that covers a swapping machine. The window keeps painting meanwhile.
constexpr int kSaveWaitMilliseconds = 10'000;
int g_saveWaitMilliseconds = kSaveWaitMilliseconds;

LockResult Lock(int fd, int operation, int milliseconds) {
  for (int waited = 0;; waited += kPauseMilliseconds) {
    if (Files().flock(fd, operation | LOCK_NB) == 0) return LockResult::Held;
    if (errno == EINTR) continue;
    if (errno != EWOULDBLOCK) return LockResult::Unsupported;
    if (waited >= milliseconds) return LockResult::Busy;
    const timespec pause{0, kPauseMilliseconds * 1'000'000};
    ::nanosleep(&pause, nullptr);
  }
}

}  // namespace

LockResult LockBriefly(int fd, int operation) { return Lock(fd, operation, kLoadWaitMilliseconds); }

LockResult LockForSave(int fd) { return Lock(fd, LOCK_EX, g_saveWaitMilliseconds); }

CSaveLockWaitOverride::CSaveLockWaitOverride(int milliseconds)
    : m_previous(g_saveWaitMilliseconds) {
  g_saveWaitMilliseconds = milliseconds;
}

CSaveLockWaitOverride::~CSaveLockWaitOverride() { g_saveWaitMilliseconds = m_previous; }
