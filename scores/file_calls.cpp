// SPDX-License-Identifier: GPL-3.0-or-later
#include "scores/file_calls.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

namespace {

int RenameAt(int fromDirectory, const char* from, int toDirectory, const char* to, unsigned flags) {
  return ::renameat2(fromDirectory, from, toDirectory, to, flags);
}

const FileCalls kSystemCalls{::write, ::pwrite, ::fsync, RenameAt, ::linkat};
const FileCalls* g_calls = &kSystemCalls;

}  // namespace

const FileCalls& Files() { return *g_calls; }

const FileCalls& SystemFileCalls() { return kSystemCalls; }

CFileCallsOverride::CFileCallsOverride(const FileCalls& calls) : m_previous(g_calls) {
  g_calls = &calls;
}

CFileCallsOverride::~CFileCallsOverride() { g_calls = m_previous; }
