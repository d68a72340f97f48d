#include "scores/score_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>

#include "scores/file_descriptor.h"
#include "scores/high_score_tables.h"

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

void CHighScoreTables::LoadScores() {
  // Start-up is when temporaries of saves killed in an earlier run are found.
  RemoveStaleSaveTemporaries(kScoreFileName);
  std::array<unsigned char, kScoreFileBytes> buffer{};
  const auto read = ReadRegularFile(kScoreFileName, buffer);
  if (!read) return;
  DecodeScoreFile(std::span<const unsigned char>(buffer).first(read->bytesRead));
}

bool CHighScoreTables::SaveScores() const {
  std::array<unsigned char, kScoreFileBytes> buffer{};
  EncodeScoreFile(buffer);
  return WriteWholeFile(kScoreFileName, buffer);
}
