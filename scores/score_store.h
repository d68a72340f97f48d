// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The high scores without any window: the tables, the score file they are
// loaded from and saved to, and the merge of another player's score file.
// CHighScoreDlg shows them and asks for names; the fuzz targets drive this
// directly. Plain C++ and POSIX only.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>

#include "scores/high_score_tables.h"
#include "scores/save_temporaries.h"

// Hears of every save that failed, so that the player can be told.
class CScoreSaveListener {
 public:
  virtual ~CScoreSaveListener() = default;
  // `path`: the score file, absolute; `error`: an errno value.
  virtual void OnScoreSaveFailed(const std::string& path, int error) = 0;
};

class CScoreStore : public CHighScoreTables {
 public:
  explicit CScoreStore(std::string path = kScoreFileName,
                       TemporaryFiles temporaries = TemporaryFiles::UnnamedWhereSupported)
      : m_strPath(std::move(path)), m_temporaries(temporaries) {}

  void SetSaveListener(CScoreSaveListener* listener) { m_pSaveListener = listener; }
  // With one, a save runs beside the caller, who calls `keepResponsive` over
  // and over until it is done, once the save has taken a few milliseconds:
  // the window keeps painting while a save waits for another game's lock or
  // for a slow disk. Without one the save runs in place.
  void SetResponsiveWait(std::function<void()> keepResponsive) {
    m_keepResponsive = std::move(keepResponsive);
  }

  // Replaces the tables by the score file's records when the file is a
  // readable regular file reached as a save would reach it; records the file
  // lacks are left blank. Clears away the temporaries of saves killed in an
  // earlier run.
  void LoadScores();
  // Locks the score file, folds what it holds now into the tables by the
  // merge's own rules (another game may have saved since), and writes the
  // union, as WriteWholeFile (score_file.h) does; a record there that a
  // merge would reject is passed over. On failure the listener
  // hears why, and the tables in memory are kept for a later save. True when
  // the bytes were written.
  bool SaveScores() override;

  // Reads the file at `path` once and, when it is a valid score file, merges
  // it (MergeBuffer); nothing when it is no readable regular file. The
  // tables are not saved.
  std::optional<MergeOutcome> MergeFile(const std::string& path);
  // A merge file must have a score file's size both on disk and in the bytes
  // read, which differ when it changed in between, and its records must pass
  // ValidateScoreBuffer.
  static bool IsValidScoreFile(std::span<const unsigned char> contents, std::int64_t fileSize,
                               bool* noNul);

 private:
  std::string AbsolutePath() const;

  std::string m_strPath;
  TemporaryFiles m_temporaries;
  CScoreSaveListener* m_pSaveListener = nullptr;
  std::function<void()> m_keepResponsive;
};
