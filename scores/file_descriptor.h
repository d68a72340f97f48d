// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An open POSIX file descriptor, closed when its owner goes, and the test
// for two descriptors or names being one file.
#include <sys/stat.h>
#include <unistd.h>

class CFileDescriptor {
 public:
  explicit CFileDescriptor(int fd = -1) : m_fd(fd) {}
  CFileDescriptor(CFileDescriptor&& other) noexcept : m_fd(other.Release()) {}
  CFileDescriptor& operator=(CFileDescriptor&& other) noexcept {
    if (this != &other) {
      Reset();
      m_fd = other.Release();
    }
    return *this;
  }
  CFileDescriptor(const CFileDescriptor&) = delete;
  CFileDescriptor& operator=(const CFileDescriptor&) = delete;
  ~CFileDescriptor() { Reset(); }

  int Get() const { return m_fd; }
  bool IsOpen() const { return m_fd >= 0; }
  // Hands the descriptor back so that the caller can check close's result.
  int Release() {
    const int fd = m_fd;
    m_fd = -1;
    return fd;
  }

 private:
  void Reset() {
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
  }

  int m_fd;
};

// Two stat results describe the same file, whatever names led to it.
inline bool SameFile(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}
