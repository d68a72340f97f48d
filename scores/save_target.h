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
// ends in a slash (EISDIR), a link that may not be followed (EACCES): one
// in a directory others may write, unless this user or the directory's
// owner made it.
// The load and the save both come this way, so both refuse the same links.
std::optional<SaveTarget> ResolveSaveTarget(const char* path);

// A directory a group or others may write (a shared group directory, /tmp):
// its names may have been put there by someone else, links and hard links to
// this user's files included. True as well when it cannot be looked at.
bool IsDirectoryOthersMayWrite(int directory);
