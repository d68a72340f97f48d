// WriteWholeFile (declared in score_file.h): the choice between replacing a
// file, rewriting it in place and leaving it alone.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <array>
#include <cerrno>

#include "scores/save_target.h"
#include "scores/score_file.h"

namespace {

enum class Outcome {
  Written,
  NotWritten,
  Raced,                // the name changed kind between look and open: look again
  NeedsInPlace,         // the file may be written but not replaced
  NeedsNamedTemporary,  // an unnamed temporary could not be given a name
};

constexpr int kAttempts = 4;
constexpr const char* kAccessAcl = "system.posix_acl_access";

// Root may open any file for writing, but a file whose mode lets nobody write
// it, or nobody read it, was made so on purpose: a save leaves it alone.
bool ModeInvitesRewrite(mode_t mode) { return (mode & 0222) != 0 && (mode & 0444) != 0; }

bool IsRefusal(int error) { return error == EACCES || error == EPERM; }

// The file has no ACL, or its file system keeps none.
bool IsNoAcl(int error) { return error == ENODATA || error == EOPNOTSUPP; }

bool WriteAll(int fd, std::span<const unsigned char> bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;  // EAGAIN included: a device that would block is not waited for
    }
    bytes = bytes.subspan(static_cast<std::size_t>(written));
  }
  return true;
}

// The rename or link must reach the disk too, or a crash could bring back
// the old name. Best effort: a directory this user may not read cannot be
// opened for it.
void SyncDirectory(int directory) {
  CFileDescriptor listing(::openat(directory, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (listing.IsOpen()) ::fsync(listing.Get());
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
  return WriteAll(temporary.file.Get(), bytes) && ::fsync(temporary.file.Get()) == 0;
}

Outcome AfterFailedPublish(int error, TemporaryFiles kind) {
  if (IsRefusal(error)) return Outcome::NeedsInPlace;
  if (error == EEXIST) return Outcome::Raced;
  if (error == EOPNOTSUPP && kind == TemporaryFiles::UnnamedWhereSupported)
    return Outcome::NeedsNamedTemporary;
  return Outcome::NotWritten;
}

Outcome CreateFile(const SaveTarget& target, std::span<const unsigned char> bytes,
                   TemporaryFiles kind) {
  const int directory = target.directory.Get();
  // 0666, as any program creating a data file asks: the kernel applies the
  // umask, or the directory's default ACL, just as it would for a plain create.
  auto temporary = CreateSaveTemporary(directory, target.name, 0666, kind);
  if (!temporary) return Outcome::NotWritten;
  if (!FillTemporary(*temporary, bytes) || !PublishAsNewFile(directory, *temporary, target.name)) {
    DiscardSaveTemporary(directory, *temporary);
    const Outcome outcome = AfterFailedPublish(errno, kind);
    return outcome == Outcome::NeedsInPlace ? Outcome::NotWritten : outcome;
  }
  SyncDirectory(directory);
  return Outcome::Written;
}

Outcome ReplaceFile(const SaveTarget& target, int old, const struct stat& oldInfo,
                    std::span<const unsigned char> bytes, TemporaryFiles kind) {
  const int directory = target.directory.Get();
  // Private until it carries the old file's permissions.
  auto temporary = CreateSaveTemporary(directory, target.name, 0600, kind);
  if (!temporary) return IsRefusal(errno) ? Outcome::NeedsInPlace : Outcome::NotWritten;
  if (!TakeOverPermissions(old, oldInfo, temporary->file.Get())) {
    DiscardSaveTemporary(directory, *temporary);
    return Outcome::NeedsInPlace;
  }
  if (!FillTemporary(*temporary, bytes) || !PublishOverFile(directory, *temporary, target.name)) {
    DiscardSaveTemporary(directory, *temporary);
    return AfterFailedPublish(errno, kind);
  }
  SyncDirectory(directory);
  return Outcome::Written;
}

// Not crash-proof: a crash between the first byte and the sync can leave the
// file torn. Used only where a rename would change whose file it is.
Outcome RewriteInPlace(int file, std::span<const unsigned char> bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t written =
        ::pwrite(file, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
    if (written < 0) {
      if (errno == EINTR) continue;
      return Outcome::NotWritten;
    }
    done += static_cast<std::size_t>(written);
  }
  // Only a longer file loses anything here, and only what a plain rewrite would.
  if (::ftruncate(file, static_cast<off_t>(bytes.size())) != 0) return Outcome::NotWritten;
  return ::fsync(file) == 0 ? Outcome::Written : Outcome::NotWritten;
}

Outcome WriteToDevice(const SaveTarget& target, const struct stat& seen,
                      std::span<const unsigned char> bytes) {
  if ((seen.st_mode & 0222) == 0) return Outcome::NotWritten;
  CFileDescriptor device(::openat(target.directory.Get(), target.name.c_str(),
                                  O_WRONLY | O_NONBLOCK | O_NOCTTY | O_NOFOLLOW | O_CLOEXEC));
  if (!device.IsOpen()) return errno == ELOOP ? Outcome::Raced : Outcome::NotWritten;
  struct stat info {};
  if (::fstat(device.Get(), &info) != 0) return Outcome::NotWritten;
  if (!S_ISCHR(info.st_mode) || info.st_rdev != seen.st_rdev) return Outcome::Raced;
  return WriteAll(device.Get(), bytes) ? Outcome::Written : Outcome::NotWritten;
}

Outcome WriteTarget(const SaveTarget& target, std::span<const unsigned char> bytes,
                    TemporaryFiles kind) {
  struct stat seen {};
  if (::fstatat(target.directory.Get(), target.name.c_str(), &seen, AT_SYMLINK_NOFOLLOW) != 0)
    return errno == ENOENT ? CreateFile(target, bytes, kind) : Outcome::NotWritten;
  if (S_ISLNK(seen.st_mode)) return Outcome::Raced;
  if (S_ISCHR(seen.st_mode)) return WriteToDevice(target, seen, bytes);
  // FIFOs, sockets, block devices and directories are never written or replaced.
  if (!S_ISREG(seen.st_mode) || !ModeInvitesRewrite(seen.st_mode)) return Outcome::NotWritten;

  // Opening for reading and writing asks the kernel the very question a
  // plain rewrite would meet, with this process's effective ids, ACLs
  // included. A file the player cannot read holds scores the game never
  // loaded: writing it would lose them.
  CFileDescriptor file(::openat(target.directory.Get(), target.name.c_str(),
                                O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (!file.IsOpen())
    return errno == ELOOP || errno == ENOENT ? Outcome::Raced : Outcome::NotWritten;
  struct stat info {};
  if (::fstat(file.Get(), &info) != 0) return Outcome::NotWritten;
  if (!S_ISREG(info.st_mode) || !SameFile(info, seen)) return Outcome::Raced;
  if (!ModeInvitesRewrite(info.st_mode)) return Outcome::NotWritten;

  // A rename would hand another user's file to this one, or split a hard link.
  if (info.st_uid == ::geteuid() && info.st_nlink == 1) {
    const Outcome replaced = ReplaceFile(target, file.Get(), info, bytes, kind);
    if (replaced != Outcome::NeedsInPlace) return replaced;
  }
  return RewriteInPlace(file.Get(), bytes);
}

}  // namespace

bool WriteWholeFile(const char* path, std::span<const unsigned char> bytes,
                    TemporaryFiles temporaries) {
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    const auto target = ResolveSaveTarget(path);
    if (!target) return false;
    switch (WriteTarget(*target, bytes, temporaries)) {
      case Outcome::Written:
        return true;
      case Outcome::NeedsNamedTemporary:
        temporaries = TemporaryFiles::NamedOnly;
        break;
      case Outcome::Raced:
        break;
      case Outcome::NotWritten:
      case Outcome::NeedsInPlace:
        return false;
    }
  }
  return false;
}
