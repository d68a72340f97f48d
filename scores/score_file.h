#pragma once
// Bounded, non-blocking reads and all-or-nothing writes of small files. The
// player can point the merge at anything (a FIFO, a device, a directory), and
// a save interrupted by a crash or a kill must never cost the old scores.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

struct RegularFileRead {
  std::size_t bytesRead = 0;  // at most the buffer's size
  std::int64_t fileSize = 0;  // as the file system reported it when opened
};

// Reads up to `buffer.size()` bytes of `path` if it is a regular file that
// can be opened and read; nothing when it is anything else. Never blocks on
// FIFOs or devices.
std::optional<RegularFileRead> ReadRegularFile(const char* path, std::span<unsigned char> buffer);

// Writes `bytes` to a temporary file beside `path`, syncs it and renames it
// over `path`, then syncs the directory. On any failure the temporary file is
// removed and `path` is left as it was.
bool ReplaceFileAtomically(const char* path, std::span<const unsigned char> bytes);
