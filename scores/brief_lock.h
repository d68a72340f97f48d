// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Games that share a score file take turns through an flock on the file
// itself: shared to load it, exclusive to read, merge and write it back. No
// lock file is needed, so a directory the player may not change (where the
// file is rewritten in place) works as well as one where it is replaced.

enum class LockResult {
  Held,
  Busy,         // someone kept it for the whole wait
  Unsupported,  // the file system keeps no locks (ENOLCK and the like)
};

// Takes the flock `operation` (LOCK_SH or LOCK_EX) on `fd`, waiting about a
// second at most for another game to finish its save. The load goes on
// without it whatever the answer: reading loses nobody's scores.
LockResult LockBriefly(int fd, int operation);

// Takes the exclusive flock a save needs, waiting as long as honest saves on
// a slow disk can take, ten seconds. A save that finds the lock busy for all
// that time must not write: the holder may be a game that stopped in the
// middle of its own save and will write what it merged when it goes on.
LockResult LockForSave(int fd);

// Shortens or lengthens the wait of LockForSave while it is in scope.
class CSaveLockWaitOverride {
 public:
  explicit CSaveLockWaitOverride(int milliseconds);
  ~CSaveLockWaitOverride();
  CSaveLockWaitOverride(const CSaveLockWaitOverride&) = delete;
  CSaveLockWaitOverride& operator=(const CSaveLockWaitOverride&) = delete;

 private:
  int m_previous;
};
