// SPDX-License-Identifier: GPL-3.0-or-later
#include "scores/file_calls.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

int RenameAt(int fromDirectory, const char* from, int toDirectory, const char* to, unsigned flags) {
  return ::renameat2(fromDirectory, from, toDirectory, to, flags);
}

const FileCalls kSystemCalls{::write, ::pwrite, ::fsync, RenameAt, ::linkat, OpenAt, FlockFile};
const FileCalls* g_calls = &kSystemCalls;

}  // namespace

int OpenAt(int directory, const char* path, int flags, mode_t mode) {
  return ::openat(directory, path, flags, mode);
}

int FlockFile(int fd, int operation) { return ::flock(fd, operation); }

const FileCalls& Files() { return *g_calls; }

const FileCalls& SystemFileCalls() { return kSystemCalls; }

CFileCallsOverride::CFileCallsOverride(const FileCalls& calls) : m_previous(g_calls) {
  g_calls = &calls;
}

CFileCallsOverride::~CFileCallsOverride() { g_calls = m_previous; }
