// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Bounded, non-blocking reads and careful writes of small files. The player
// can point the merge at anything (a FIFO, a device, a directory), and the
// score file can be a link, a shared file, or another user's: a save must
// lose nobody's scores, whether it is cut short, meets a file it must not
// replace, or runs beside another game saving the same file.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>

#include "scores/save_temporaries.h"

struct RegularFileRead {
  std::size_t bytesRead = 0;  // at most the buffer's size
  std::int64_t fileSize = 0;  // as the file system reported it when opened
};

// Reads up to `buffer.size()` bytes of `path` if it is a regular file that
// can be opened and read; nothing when it is anything else. FIFOs and devices
// are never opened, so nothing blocks and no terminal is acquired.
std::optional<RegularFileRead> ReadRegularFile(const char* path, std::span<unsigned char> buffer);

// Reads the score file as ReadRegularFile does, but reaches it the way a save
// does (ResolveSaveTarget), so it never loads what a save would refuse to
// write: no link planted in a directory others may write, no file with
// several names in one. Waits briefly for a save under way in another game.
std::optional<RegularFileRead> ReadScoreFile(const char* path, std::span<unsigned char> buffer);

// Given the first bytes (at most kScoreFileBytes + 1) that the file holds when
// the save has it locked, empty when there is none to read, returns the bytes
// to write; the span must stay valid until the save ends. Called once more
// for each time the file changed under the save.
using SaveContent =
    std::function<std::span<const unsigned char>(std::span<const unsigned char> onDisk)>;

// Makes the content the whole of the file `path` leads to, reaching it as a
// plain rewrite would (through every link; a dangling link creates its
// target) and meeting the permissions a plain rewrite would meet:
//  - absent: created, with the mode the kernel gives any new file;
//  - a regular file of this user's, with one link, in a directory this user
//    may change: replaced all at once through a temporary file and a rename,
//    keeping its group, mode and ACL; never a partial file;
//  - any other regular file this user may read and write: rewritten in
//    place, from its first byte, then synced; a crash here can tear it;
//  - a file this user may not read or not write, or whose mode lets nobody
//    read or nobody write it (even root, who could), or one with several
//    names in a directory others may write: left alone;
//  - a character device that takes a non-blocking write and is no terminal
//    (/dev/null turns saving off): written; any other kind of file: left alone.
// An existing regular file is locked exclusively (LockForSave) from before
// its content is read until the new content is in place, and read once more
// just before that: when it changed, the content is asked for again. Returns
// 0 when the bytes were written, otherwise an errno value saying why not
// (EWOULDBLOCK: another process kept the lock); then nothing on disk
// changed, except for a rewrite in place cut short by the disk.
int WriteWholeFile(const char* path, const SaveContent& content,
                   TemporaryFiles temporaries = TemporaryFiles::UnnamedWhereSupported);
// The same with fixed bytes, whatever the file held.
int WriteWholeFile(const char* path, std::span<const unsigned char> bytes,
                   TemporaryFiles temporaries = TemporaryFiles::UnnamedWhereSupported);
