#pragma once
// Bounded, non-blocking reads and careful writes of small files. The player
// can point the merge at anything (a FIFO, a device, a directory), and the
// score file can be a link, a shared file, or another user's: a save must
// lose nobody's scores, whether it is cut short or meets a file it must not
// replace.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "scores/save_temporaries.h"

struct RegularFileRead {
  std::size_t bytesRead = 0;  // at most the buffer's size
  std::int64_t fileSize = 0;  // as the file system reported it when opened
};

// Reads up to `buffer.size()` bytes of `path` if it is a regular file that
// can be opened and read; nothing when it is anything else. Never blocks on
// FIFOs or devices.
std::optional<RegularFileRead> ReadRegularFile(const char* path, std::span<unsigned char> buffer);

// Makes `bytes` the whole content of the file `path` leads to, reaching it as
// a plain rewrite would (through every link; a dangling link creates its
// target) and meeting the permissions a plain rewrite would meet:
//  - absent: created, with the mode the kernel gives any new file;
//  - a regular file of this user's, with one link, in a directory this user
//    may change: replaced all at once through a temporary file and a rename,
//    keeping its group, mode and ACL; never a partial file;
//  - any other regular file this user may read and write: rewritten in
//    place, from its first byte, then synced; a crash here can tear it;
//  - a file this user may not read or not write, or whose mode lets nobody
//    read or nobody write it (even root, who could): left alone;
//  - a character device that takes a non-blocking write (/dev/null turns
//    saving off): written; any other kind of file: left alone.
// True when the bytes were written; false when nothing was saved, and then
// nothing on disk changed.
bool WriteWholeFile(const char* path, std::span<const unsigned char> bytes,
                    TemporaryFiles temporaries = TemporaryFiles::UnnamedWhereSupported);
