#include "scores/score_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <string>

#include "scores/high_score_tables.h"

namespace {

class CFileDescriptor {
 public:
  explicit CFileDescriptor(int fd) : m_fd(fd) {}
  CFileDescriptor(const CFileDescriptor&) = delete;
  CFileDescriptor& operator=(const CFileDescriptor&) = delete;
  ~CFileDescriptor() {
    if (m_fd >= 0) ::close(m_fd);
  }
  int Get() const { return m_fd; }
  // Hands the descriptor back so that the caller can check close's result.
  int Release() {
    const int fd = m_fd;
    m_fd = -1;
    return fd;
  }

 private:
  int m_fd;
};

bool WriteAll(int fd, std::span<const unsigned char> bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes = bytes.subspan(static_cast<std::size_t>(written));
  }
  return true;
}

std::string DirectoryOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// A save must not change who may read the scores: keep the mode of the file
// being replaced, or give a new file the mode a plain create would have.
mode_t ModeForReplacement(const char* path) {
  struct stat existing {};
  if (::stat(path, &existing) == 0 && S_ISREG(existing.st_mode)) return existing.st_mode & 07777;
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// A score file that links to a shared place must stay a link: the save
// replaces what it points at. A dangling link is replaced itself.
std::string ResolveLink(const char* path) {
  struct stat info {};
  if (::lstat(path, &info) != 0 || !S_ISLNK(info.st_mode)) return path;
  char* real = ::realpath(path, nullptr);
  if (real == nullptr) return path;
  std::string resolved(real);
  std::free(real);
  return resolved;
}

}  // namespace

std::optional<RegularFileRead> ReadRegularFile(const char* path, std::span<unsigned char> buffer) {
  // Devices are not even opened: opening some of them has effects of its own.
  struct stat before {};
  if (::stat(path, &before) != 0 || !S_ISREG(before.st_mode)) return std::nullopt;
  // O_NONBLOCK keeps open() from waiting should a FIFO take the name meanwhile.
  CFileDescriptor file(::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (file.Get() < 0) return std::nullopt;
  struct stat info {};
  if (::fstat(file.Get(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;

  RegularFileRead result;
  result.fileSize = static_cast<std::int64_t>(info.st_size);
  while (result.bytesRead < buffer.size()) {
    const ssize_t got =
        ::read(file.Get(), buffer.data() + result.bytesRead, buffer.size() - result.bytesRead);
    if (got < 0) {
      if (errno == EINTR) continue;
      return std::nullopt;
    }
    if (got == 0) break;
    result.bytesRead += static_cast<std::size_t>(got);
  }
  return result;
}

bool ReplaceFileAtomically(const char* linkOrPath, std::span<const unsigned char> bytes) {
  const std::string target = ResolveLink(linkOrPath);
  const char* path = target.c_str();
  std::string temporary = target + ".XXXXXX";
  CFileDescriptor file(::mkstemp(temporary.data()));
  if (file.Get() < 0) return false;

  bool ok = ::fchmod(file.Get(), ModeForReplacement(path)) == 0 && WriteAll(file.Get(), bytes) &&
            ::fsync(file.Get()) == 0;
  // close() can report a delayed write error; a file it fails on is not kept.
  ok = ::close(file.Release()) == 0 && ok;
  ok = ok && ::rename(temporary.c_str(), path) == 0;
  if (!ok) {
    ::unlink(temporary.c_str());
    return false;
  }

  // The rename itself must reach the disk, or a crash could bring back the old name.
  CFileDescriptor directory(
      ::open(DirectoryOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (directory.Get() >= 0) ::fsync(directory.Get());
  return true;
}

void CHighScoreTables::LoadScores() {
  std::array<unsigned char, kScoreFileBytes> buffer{};
  const auto read = ReadRegularFile(kScoreFileName, buffer);
  if (!read) return;
  DecodeScoreFile(std::span<const unsigned char>(buffer).first(read->bytesRead));
}

bool CHighScoreTables::SaveScores() const {
  std::array<unsigned char, kScoreFileBytes> buffer{};
  EncodeScoreFile(buffer);
  return ReplaceFileAtomically(kScoreFileName, buffer);
}
