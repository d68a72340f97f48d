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

// Nothing when the path cannot lead to a file: a link loop, a missing
// directory, a name that ends in a slash.
std::optional<SaveTarget> ResolveSaveTarget(const char* path);
