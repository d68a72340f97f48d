// CHighScoreDlg's messages: the merge's and a failed save's.
#include <cstring>

#include "platform/host.h"
#include "res/resource_ids.h"
#include "res/string_table.h"
#include "scores/high_score_dlg.h"

namespace {

void ReplaceFirst(std::string& text, std::string_view marker, const std::string& with) {
  const std::size_t at = text.find(marker);
  if (at != std::string::npos) text.replace(at, marker.size(), with);
}

}  // namespace

void CHighScoreDlg::MergeFrom(std::string path) {
  const auto outcome = m_scores.MergeFile(path);
  if (!outcome) {
    AfxMessageBox("Unable to open file!", MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  if (outcome->noNul) AfxMessageBox("No Nul", MB_OK);
  if (!outcome->valid) {
    AfxMessageBox("Unable to merge highscores -- not a valid Karoblen highscore file",
                  MB_OK | MB_ICONEXCLAMATION);
    m_scores.SaveScores();
    return;
  }
  AfxMessageBox(
      "Highscore merge complete.\n\nHighscore entries added: " + std::to_string(outcome->added) +
          "\nDuplicate entries found: " + std::to_string(outcome->duplicates),
      MB_OK | MB_ICONINFORMATION);
  m_scores.SaveScores();
}

void CHighScoreDlg::OnScoreSaveFailed(const std::string& path, int error) {
  if (!m_reportedSaveErrors.insert(error).second) return;
  std::string text = res::LoadString(IDS_SCORES_NOT_SAVED);
  ReplaceFirst(text, "%1", path);
  ReplaceFirst(text, "%2", std::strerror(error));
  AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
}
