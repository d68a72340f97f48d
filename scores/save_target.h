// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The file a plain open of a path would write: symbolic links are followed to
// the end, and a dangling one leads to the name that open would create, in
// the directory the link points into.
#include <optional>
#include <string>

#include "scores/file_descriptor.h"

struct SaveTarget {
  // Pins the directory for every later look and change (an O_PATH descriptor).
  CFileDescriptor directory;
  // The last component; what it names was no link when it was resolved.
  std::string name;
};

// Nothing when the path cannot lead to a file, with errno set as an open
// would set it: a link loop (ELOOP), a missing directory (ENOENT), a name that
// ends in a slash (EISDIR), a link that may not be followed (EACCES).
// The load and the save both come this way, so both refuse the same links.
std::optional<SaveTarget> ResolveSaveTarget(const char* path);

// A sticky directory anyone may write, such as /tmp: its names may have been
// put there by anyone, hard links to this user's files included.
bool IsSharedStickyDirectory(int directory);
