// SPDX-License-Identifier: GPL-3.0-or-later
// WriteWholeFile (declared in score_file.h): the choice between replacing a
// file, rewriting it in place and leaving it alone.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>

#include "scores/brief_lock.h"
#include "scores/file_calls.h"
#include "scores/high_score_tables.h"
#include "scores/save_target.h"
#include "scores/score_file.h"

namespace {

enum class Outcome {
  Written,
  NotWritten,           // SaveRun::error says why
  Raced,                // the name changed kind between look and open: look again
  NeedsInPlace,         // the file may be written but not replaced
  NeedsNamedTemporary,  // an unnamed temporary could not be given a name
};

constexpr int kSaveAttempts = 8;  // each look after another game replaced the file
constexpr const char* kAccessAcl = "system.posix_acl_access";

struct SaveRun {
  const SaveTarget& target;
  const SaveContent& content;
  TemporaryFiles kind;
  int error = 0;

  Outcome Fail(int why) {
    error = why;
    return Outcome::NotWritten;
  }
};

// Root may open any file for writing, but a file whose mode lets nobody write
// it, or nobody read it, was made so on purpose: a save leaves it alone.
bool ModeInvitesRewrite(mode_t mode) { return (mode & 0222) != 0 && (mode & 0444) != 0; }

bool IsRefusal(int error) { return error == EACCES || error == EPERM; }

// The file has no ACL, or its file system keeps none.
bool IsNoAcl(int error) { return error == ENODATA || error == EOPNOTSUPP; }

bool WriteAll(int fd, std::span<const unsigned char> bytes) {
  while (!bytes.empty()) {
    const ssize_t written = Files().write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;  // EAGAIN included: a device that would block is not waited for
    }
    bytes = bytes.subspan(static_cast<std::size_t>(written));
  }
  return true;
}

// The rename or link must reach the disk too, or a crash could bring back
// the old name. A directory this user may not read cannot be opened for it,
// and some file systems cannot sync one (EINVAL): both are let pass.
bool SyncDirectory(int directory) {
  const CFileDescriptor listing(::openat(directory, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  return !listing.IsOpen() || Files().fsync(listing.Get()) == 0 || errno == EINVAL;
}

// The replacement carries the old file's group, its ACL (part of who may use
// it) and none that the directory's default ACL gave the new file, and its
// mode. Group first: changing it clears the set-id bits the mode restores.
bool TakeOverPermissions(int from, const struct stat& old, int to) {
  struct stat fresh {};
  if (::fstat(to, &fresh) != 0) return false;
  if (fresh.st_gid != old.st_gid && ::fchown(to, static_cast<uid_t>(-1), old.st_gid) != 0)
    return false;
  std::array<char, 4096> acl{};
  const ssize_t size = ::fgetxattr(from, kAccessAcl, acl.data(), acl.size());
  if (size >= 0) {
    if (::fsetxattr(to, kAccessAcl, acl.data(), static_cast<std::size_t>(size), 0) != 0)
      return false;
  } else {
    if (!IsNoAcl(errno)) return false;
    if (::fremovexattr(to, kAccessAcl) != 0 && !IsNoAcl(errno)) return false;
  }
  return ::fchmod(to, old.st_mode & 07777) == 0;
}

bool FillTemporary(const SaveTemporary& temporary, std::span<const unsigned char> bytes) {
  return WriteAll(temporary.file.Get(), bytes) && Files().fsync(temporary.file.Get()) == 0;
}

Outcome AfterFailedPublish(SaveRun& run, int error) {
  if (IsRefusal(error)) return Outcome::NeedsInPlace;
  if (error == EEXIST) return Outcome::Raced;
  if (error == EOPNOTSUPP && run.kind == TemporaryFiles::UnnamedWhereSupported)
    return Outcome::NeedsNamedTemporary;
  return run.Fail(error);
}

Outcome CreateFile(SaveRun& run) {
  const int directory = run.target.directory.Get();
  const auto bytes = run.content({});
  // 0666, as any program creating a data file asks: the kernel applies the
  // umask, or the directory's default ACL, just as it would for a plain create.
  auto temporary = CreateSaveTemporary(directory, run.target.name, 0666, run.kind);
  if (!temporary) return run.Fail(errno);
  // A game that creates the file in the same instant wins the name; this one
  // then finds the file there, and merges it, on its next look.
  if (!FillTemporary(*temporary, bytes) ||
      !PublishAsNewFile(directory, *temporary, run.target.name)) {
    DiscardSaveTemporary(directory, *temporary);
    const Outcome outcome = AfterFailedPublish(run, errno);
    return outcome == Outcome::NeedsInPlace ? run.Fail(EACCES) : outcome;
  }
  return SyncDirectory(directory) ? Outcome::Written : run.Fail(errno);
}

// What the file holds, read through the locked descriptor.
std::optional<std::span<const unsigned char>> ReadLocked(int file,
                                                         std::span<unsigned char> buffer) {
  std::size_t got = 0;
  while (got < buffer.size()) {
    const ssize_t read =
        ::pread(file, buffer.data() + got, buffer.size() - got, static_cast<off_t>(got));
    if (read < 0 && errno == EINTR) continue;
    if (read < 0) return std::nullopt;
    if (read == 0) break;
    got += static_cast<std::size_t>(read);
  }
  return std::span<const unsigned char>(buffer).first(got);
}

// The name still leads to `file`, which still holds the bytes the save
// merged: what it is about to replace or overwrite, it has seen. Under the
// lock no game of ours can have changed them; where the file system keeps
// no locks this leaves only the instant until the next call.
bool StillAsMerged(const SaveRun& run, int file, const struct stat& info,
                   std::span<const unsigned char> merged) {
  struct stat named {};
  if (::fstatat(run.target.directory.Get(), run.target.name.c_str(), &named, AT_SYMLINK_NOFOLLOW) !=
          0 ||
      !SameFile(named, info))
    return false;
  std::array<unsigned char, kScoreFileBytes + 1> now{};
  const auto current = ReadLocked(file, now);
  return current && std::equal(current->begin(), current->end(), merged.begin(), merged.end());
}

Outcome ReplaceFile(SaveRun& run, int old, const struct stat& oldInfo,
                    std::span<const unsigned char> merged, std::span<const unsigned char> bytes) {
  const int directory = run.target.directory.Get();
  // Private until it carries the old file's permissions.
  auto temporary = CreateSaveTemporary(directory, run.target.name, 0600, run.kind);
  if (!temporary) return IsRefusal(errno) ? Outcome::NeedsInPlace : run.Fail(errno);
  if (!TakeOverPermissions(old, oldInfo, temporary->file.Get())) {
    DiscardSaveTemporary(directory, *temporary);
    return Outcome::NeedsInPlace;
  }
  if (!FillTemporary(*temporary, bytes)) {
    DiscardSaveTemporary(directory, *temporary);
    return run.Fail(errno);
  }
  if (!NameSaveTemporary(directory, *temporary, run.target.name)) {
    DiscardSaveTemporary(directory, *temporary);
    return AfterFailedPublish(run, errno);
  }
  // Looked at as late as can be: anything written meanwhile is read again
  // and merged rather than replaced unseen.
  if (!StillAsMerged(run, old, oldInfo, merged)) {
    DiscardSaveTemporary(directory, *temporary);
    return Outcome::Raced;
  }
  if (!PublishOverFile(directory, *temporary, run.target.name)) {
    DiscardSaveTemporary(directory, *temporary);
    return AfterFailedPublish(run, errno);
  }
  return SyncDirectory(directory) ? Outcome::Written : run.Fail(errno);
}

// Not crash-proof: a crash between the first byte and the sync can leave the
// file torn. Used only where a rename would change whose file it is.
Outcome RewriteInPlace(SaveRun& run, int file, const struct stat& info,
                       std::span<const unsigned char> merged,
                       std::span<const unsigned char> bytes) {
  if (!StillAsMerged(run, file, info, merged)) return Outcome::Raced;
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t written =
        Files().pwrite(file, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
    if (written < 0) {
      if (errno == EINTR) continue;
      return run.Fail(errno);
    }
    done += static_cast<std::size_t>(written);
  }
  // Only a longer file loses anything here, and only what a plain rewrite would.
  if (::ftruncate(file, static_cast<off_t>(bytes.size())) != 0) return run.Fail(errno);
  return Files().fsync(file) == 0 ? Outcome::Written : run.Fail(errno);
}

Outcome WriteToDevice(SaveRun& run, const struct stat& seen) {
  if ((seen.st_mode & 0222) == 0) return run.Fail(EACCES);
  CFileDescriptor device(::openat(run.target.directory.Get(), run.target.name.c_str(),
                                  O_WRONLY | O_NONBLOCK | O_NOCTTY | O_NOFOLLOW | O_CLOEXEC));
  if (!device.IsOpen()) return errno == ELOOP ? Outcome::Raced : run.Fail(errno);
  struct stat info {};
  if (::fstat(device.Get(), &info) != 0) return run.Fail(errno);
  if (!S_ISCHR(info.st_mode) || info.st_rdev != seen.st_rdev) return Outcome::Raced;
  // A terminal would show the names' bytes raw, escape sequences and all, and
  // a game in the background would be stopped for writing to it.
  if (::isatty(device.Get())) return run.Fail(EPERM);
  return WriteAll(device.Get(), run.content({})) ? Outcome::Written : run.Fail(errno);
}

Outcome WriteTarget(SaveRun& run) {
  const SaveTarget& target = run.target;
  struct stat seen {};
  if (::fstatat(target.directory.Get(), target.name.c_str(), &seen, AT_SYMLINK_NOFOLLOW) != 0)
    return errno == ENOENT ? CreateFile(run) : run.Fail(errno);
  if (S_ISLNK(seen.st_mode)) return Outcome::Raced;
  if (S_ISCHR(seen.st_mode)) return WriteToDevice(run, seen);
  // FIFOs, sockets, block devices and directories are never written or replaced.
  if (S_ISDIR(seen.st_mode)) return run.Fail(EISDIR);
  if (!S_ISREG(seen.st_mode)) return run.Fail(EPERM);
  if (!ModeInvitesRewrite(seen.st_mode)) return run.Fail(EACCES);

  // Opening for reading and writing asks the kernel the very question a
  // plain rewrite would meet, with this process's effective ids, ACLs
  // included. A file the player cannot read holds scores the game never
  // loaded: writing it would lose them.
  CFileDescriptor file(::openat(target.directory.Get(), target.name.c_str(),
                                O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (!file.IsOpen()) return errno == ELOOP || errno == ENOENT ? Outcome::Raced : run.Fail(errno);
  struct stat info {};
  if (::fstat(file.Get(), &info) != 0) return run.Fail(errno);
  if (!S_ISREG(info.st_mode) || !SameFile(info, seen)) return Outcome::Raced;
  if (!ModeInvitesRewrite(info.st_mode)) return run.Fail(EACCES);
  // Anyone may have made that second name, to have this player overwrite
  // whatever file it shares.
  if (info.st_nlink > 1 && IsDirectoryOthersMayWrite(target.directory.Get()))
    return run.Fail(EPERM);

  // A game stopped in its own save holds the lock for as long as it stays
  // stopped, and writes what it merged when it goes on: writing now would
  // have it replace this save unseen. Where the file system keeps no locks
  // StillAsMerged is what stands between the two.
  if (LockForSave(file.Get()) == LockResult::Busy) return run.Fail(EWOULDBLOCK);
  // Another game's save may have replaced the file while this one waited:
  // then the lock is on a file that no longer has the name.
  struct stat named {};
  if (::fstatat(target.directory.Get(), target.name.c_str(), &named, AT_SYMLINK_NOFOLLOW) != 0 ||
      !SameFile(named, info) || ::fstat(file.Get(), &info) != 0)
    return Outcome::Raced;
  std::array<unsigned char, kScoreFileBytes + 1> onDisk{};
  const auto current = ReadLocked(file.Get(), onDisk);
  if (!current) return run.Fail(errno);  // unread scores would be lost
  const auto bytes = run.content(*current);

  // A rename would hand another user's file to this one, or split a hard link.
  if (info.st_uid == ::geteuid() && info.st_nlink == 1) {
    const Outcome replaced = ReplaceFile(run, file.Get(), info, *current, bytes);
    if (replaced != Outcome::NeedsInPlace) return replaced;
  }
  return RewriteInPlace(run, file.Get(), info, *current, bytes);
}

}  // namespace

int WriteWholeFile(const char* path, const SaveContent& content, TemporaryFiles temporaries) {
  for (int attempt = 0; attempt < kSaveAttempts; ++attempt) {
    const auto target = ResolveSaveTarget(path);
    if (!target) return errno;
    SaveRun run{*target, content, temporaries};
    switch (WriteTarget(run)) {
      case Outcome::Written:
        return 0;
      case Outcome::NeedsNamedTemporary:
        temporaries = TemporaryFiles::NamedOnly;
        break;
      case Outcome::Raced:
        break;
      case Outcome::NeedsInPlace:
        return EACCES;
      case Outcome::NotWritten:
        return run.error;
    }
  }
  return EAGAIN;  // the name kept changing under the save
}

int WriteWholeFile(const char* path, std::span<const unsigned char> bytes,
                   TemporaryFiles temporaries) {
  return WriteWholeFile(
      path, [bytes](std::span<const unsigned char>) { return bytes; }, temporaries);
}
