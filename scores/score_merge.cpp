#include <array>

#include "platform/host.h"
#include "res/game_texts.h"
#include "scores/high_score_dlg.h"
#include "scores/score_file.h"

namespace {

// One byte more than a score file holds, so that a longer file shows itself
// without reading it any further.
constexpr std::size_t kMergeReadLimit = kScoreFileBytes + 1;

}  // namespace

bool CHighScoreDlg::IsValidScoreFile(std::span<const unsigned char> contents,
                                     std::int64_t fileSize) {
  // Both sizes must agree: the file may have changed between the look at its
  // size and the read.
  if (fileSize != static_cast<std::int64_t>(kScoreFileBytes) || contents.size() != kScoreFileBytes)
    return false;
  bool noNul = false;
  const bool valid = ValidateScoreBuffer(contents, &noNul);
  if (noNul) AfxMessageBox(std::string(res::Text(res::TextId::MergeNoNul)), MB_OK);
  return valid;
}

void CHighScoreDlg::MergeFrom(std::string path) {
  // Read once: validation and merge both work on this copy.
  std::array<unsigned char, kMergeReadLimit> buffer{};
  const auto read = ReadRegularFile(path.c_str(), buffer);
  if (!read) {
    AfxMessageBox(std::string(res::Text(res::TextId::MergeCannotOpen)), MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  const auto contents = std::span<const unsigned char>(buffer).first(read->bytesRead);

  if (!IsValidScoreFile(contents, read->fileSize)) {
    AfxMessageBox(std::string(res::Text(res::TextId::MergeNotAScoreFile)),
                  MB_OK | MB_ICONEXCLAMATION);
    SaveScores();
    return;
  }

  const MergeOutcome outcome = MergeBuffer(contents);
  AfxMessageBox(res::FormatText(res::TextId::MergeComplete, {std::to_string(outcome.added),
                                                             std::to_string(outcome.duplicates)}),
                MB_OK | MB_ICONINFORMATION);
  SaveScores();
}
