// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The calls through which a save changes the disk. Each of them can fail in
// ways a test cannot bring about on demand (a full disk, an I/O error, a file
// system that turned read-only), so tests put their own in for a while.
#include <sys/types.h>

// openat with its mode always given, so that it fits a plain function pointer.
int OpenAt(int directory, const char* path, int flags, mode_t mode);
int FlockFile(int fd, int operation);

struct FileCalls {
  ssize_t (*write)(int fd, const void* bytes, size_t count);
  ssize_t (*pwrite)(int fd, const void* bytes, size_t count, off_t offset);
  int (*fsync)(int fd);
  // renameat2, with its flags.
  int (*rename)(int fromDirectory, const char* from, int toDirectory, const char* to,
                unsigned flags);
  int (*linkat)(int fromDirectory, const char* from, int toDirectory, const char* to, int flags);
  // Where a save's temporary files come from, O_TMPFILE included.
  int (*openat)(int directory, const char* path, int flags, mode_t mode) = OpenAt;
  // The lock games share the score file by (brief_lock.h).
  int (*flock)(int fd, int operation) = FlockFile;
};

// The calls in use: the system's own unless a test replaced them.
const FileCalls& Files();

// Puts `calls` in place of the system's until it goes out of scope.
class CFileCallsOverride {
 public:
  explicit CFileCallsOverride(const FileCalls& calls);
  ~CFileCallsOverride();
  CFileCallsOverride(const CFileCallsOverride&) = delete;
  CFileCallsOverride& operator=(const CFileCallsOverride&) = delete;

 private:
  const FileCalls* m_previous;
};

// The system's own calls, for a replacement to pass on to.
const FileCalls& SystemFileCalls();
