// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The application object: builds the one document, main window and view
// through a single template, starts the first game and owns the New Game and
// About commands.
#include <optional>
#include <string>
#include <string_view>

#include "platform/framework.h"

class CKaroblenApp : public CWinApp {
 public:
  CKaroblenApp();
  ~CKaroblenApp() override;

  bool InitInstance() override;
  bool OnCmdMsg(int id) override;

  void OnNewGame();
  void OnAppAbout();
  void OnHelpHowToPlay();
  // Starts the run with the tile symbols on, as the command would.
  void StartWithTileSymbols() { m_bTileSymbolsAtStart = true; }
  // Starts the run on board `nNumber` instead of the clock's.
  void StartOnBoard(unsigned nNumber) { m_nBoardAtStart = nNumber; }
  // Reads a board number given on the command line into `nNumber`; empty
  // when it names a board, otherwise the hint the dialog would give.
  static std::string ReadBoardNumber(std::string_view text, unsigned& nNumber);

 private:
  bool m_bTileSymbolsAtStart = false;
  std::optional<unsigned> m_nBoardAtStart;
  // The first game of the run starts unasked; every later New Game asks
  // before it throws the current game away.
  bool m_bConfirmNewGame = false;
};
