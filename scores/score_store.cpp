// SPDX-License-Identifier: GPL-3.0-or-later
#include "scores/score_store.h"

#include <unistd.h>

#include <climits>

#include "scores/score_file.h"

void CScoreStore::LoadScores() {
  // Start-up is when temporaries of saves killed in an earlier run are found.
  RemoveStaleSaveTemporaries(m_strPath.c_str());
  std::array<unsigned char, kScoreFileBytes> buffer{};
  const auto read = ReadScoreFile(m_strPath.c_str(), buffer);
  if (!read) return;
  DecodeScoreFile(std::span<const unsigned char>(buffer).first(read->bytesRead));
}

bool CScoreStore::SaveScores() {
  const auto content = [this](std::span<const unsigned char> onDisk) {
    // Another game's saves since this one loaded join the tables as a merge
    // would take them; a file that is no valid score file adds nothing.
    MergeBuffer(onDisk);
    EncodeScoreFile(m_saveBytes);
    return std::span<const unsigned char>(m_saveBytes);
  };
  const int error = WriteWholeFile(m_strPath.c_str(), content, m_temporaries);
  if (error == 0) return true;
  if (m_pSaveListener) m_pSaveListener->OnScoreSaveFailed(AbsolutePath(), error);
  return false;
}

std::optional<MergeOutcome> CScoreStore::MergeFile(const std::string& path) {
  // Read once, with one byte to spare: a longer file shows itself without
  // being read any further, and validation and merge see the same bytes.
  std::array<unsigned char, kScoreFileBytes + 1> buffer{};
  const auto read = ReadRegularFile(path.c_str(), buffer);
  if (!read) return std::nullopt;
  const auto contents = std::span<const unsigned char>(buffer).first(read->bytesRead);
  MergeOutcome outcome;
  if (!IsValidScoreFile(contents, read->fileSize, &outcome.noNul)) return outcome;
  return MergeBuffer(contents);
}

bool CScoreStore::IsValidScoreFile(std::span<const unsigned char> contents, std::int64_t fileSize,
                                   bool* noNul) {
  if (noNul) *noNul = false;
  if (fileSize != static_cast<std::int64_t>(kScoreFileBytes) || contents.size() != kScoreFileBytes)
    return false;
  return ValidateScoreBuffer(contents, noNul);
}

std::string CScoreStore::AbsolutePath() const {
  if (m_strPath.starts_with('/')) return m_strPath;
  char directory[PATH_MAX];
  if (!::getcwd(directory, sizeof directory)) return m_strPath;
  const std::string base(directory);
  return (base == "/" ? base : base + "/") + m_strPath;
}
