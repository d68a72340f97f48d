// SPDX-License-Identifier: GPL-3.0-or-later
#include "scores/score_store.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <future>
#include <system_error>

#include "scores/score_file.h"

void CScoreStore::LoadScores() {
  // Start-up is when temporaries of saves killed in an earlier run are found.
  RemoveStaleSaveTemporaries(m_strPath.c_str());
  std::array<unsigned char, kScoreFileBytes> buffer{};
  const auto read = ReadScoreFile(m_strPath.c_str(), buffer);
  if (!read) return;
  DecodeScoreFile(std::span<const unsigned char>(buffer).first(read->bytesRead));
}

namespace {

// How long the caller waits on a save before it lets the window paint, and
// between the paints: a freeze this short goes unseen.
constexpr auto kGlance = std::chrono::milliseconds(5);

int RunKeepingResponsive(const std::function<int()>& work,
                         const std::function<void()>& keepResponsive) {
  std::future<int> done;
  try {
    done = std::async(std::launch::async, work);
  } catch (const std::system_error&) {
    return work();  // no thread to be had: the save still happens, in place
  }
  while (done.wait_for(kGlance) != std::future_status::ready) keepResponsive();
  return done.get();
}

}  // namespace

bool CScoreStore::SaveScores() {
  // The save may run on a thread of its own while the window paints, so it
  // merges into a copy; the tables take the copy once it is done.
  CHighScoreTables merging(*this);
  std::array<unsigned char, kScoreFileBytes> bytes{};
  const auto content = [&merging, &bytes](std::span<const unsigned char> onDisk) {
    // Another game's saves since this one loaded join the tables as a merge
    // would take them, record by record: one bad record costs only itself.
    merging.MergeValidRecords(onDisk);
    merging.EncodeScoreFile(bytes);
    return std::span<const unsigned char>(bytes);
  };
  const auto write = [this, &content] {
    return WriteWholeFile(m_strPath.c_str(), content, m_temporaries);
  };
  const int error = m_keepResponsive ? RunKeepingResponsive(write, m_keepResponsive) : write();
  std::copy(merging.Entries().begin(), merging.Entries().end(), m_entries);
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
