// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game's own texts beside the numbered string table: every sentence a
// player reads in a window, a message box, the sound mixer or the terminal,
// kept in one place so that they can be translated together.
//
// "%1" to "%9" mark where FormatText puts its values (res/text_markers.h).
#include <initializer_list>
#include <string>
#include <string_view>

namespace res {

enum class TextId {
  // The board view.
  ScoreLine,
  TilesLeftLine,
  SelectScoreLine,
  OptionsRestartQuestion,
  OptionsCaption,
  MergeFileTitle,
  MergeFileFilter,
  // The application.
  NewGameQuestion,
  // Numbered boards.
  RestartBoardQuestion,
  BoardNumberEmpty,
  BoardNumberNotDigits,
  BoardNumberTooLarge,
  // The high scores.
  HighScoresTitle,
  BoardSmall,
  BoardMedium,
  BoardLarge,
  TileKindsSuffix,
  YourScoreLine,
  MergeNoNul,
  MergeCannotOpen,
  MergeNotAScoreFile,
  MergeComplete,
  ScoresNotSaved,
  // The desktop.
  ToolbarTitle,
  SoundStreamName,
  // The terminal, before any window.
  Usage,
  VersionLine,
  NoDesktop,
  DisplayNotSet,
  NoXServer,
  WaylandNotSet,
  NoWaylandCompositor,
  NeitherDesktop,
  NoDataDirectory,
  BadBoardOption,
  BoardOptionMissing,
  NoDataHome,
  CannotCreateDirectory,
  CannotEnterDirectory,
  Count
};

// The text in the player's language.
std::string_view Text(TextId id);
// The text as written, in English, and the enumerator's own name ("ScoreLine"),
// which names the text in the catalogues.
std::string_view SourceText(TextId id);
std::string_view TextName(TextId id);

// The text with each "%1" to "%9" replaced by that one of `values`; a marker
// without a value is left out.
std::string FormatText(TextId id, std::initializer_list<std::string_view> values);
std::string FormatText(TextId id, int value);

}  // namespace res
