// SPDX-License-Identifier: GPL-3.0-or-later
// CHighScoreDlg's messages: the merge's and a failed save's.
#include <cstring>

#include "platform/host.h"
#include "res/game_texts.h"
#include "scores/high_score_dlg.h"

void CHighScoreDlg::MergeFrom(std::string path) {
  const auto outcome = m_scores.MergeFile(path);
  if (!outcome) {
    AfxMessageBox(std::string(res::Text(res::TextId::MergeCannotOpen)), MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  if (outcome->noNul) AfxMessageBox(std::string(res::Text(res::TextId::MergeNoNul)), MB_OK);
  if (!outcome->valid) {
    AfxMessageBox(std::string(res::Text(res::TextId::MergeNotAScoreFile)),
                  MB_OK | MB_ICONEXCLAMATION);
    m_scores.SaveScores();
    return;
  }
  AfxMessageBox(res::FormatText(res::TextId::MergeComplete, {std::to_string(outcome->added),
                                                             std::to_string(outcome->duplicates)}),
                MB_OK | MB_ICONINFORMATION);
  m_scores.SaveScores();
}

void CHighScoreDlg::OnScoreSaveFailed(const std::string& path, int error) {
  if (!m_reportedSaveErrors.insert(error).second) return;
  AfxMessageBox(res::FormatText(res::TextId::ScoresNotSaved, {path, std::strerror(error)}),
                MB_OK | MB_ICONEXCLAMATION);
}
