// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/karoblen_app.h"

#include <memory>
#include <string>

#include "app/about_dlg.h"
#include "app/how_to_play_dlg.h"
#include "app/karoblen_document.h"
#include "app/main_frame.h"
#include "platform/host.h"
#include "res/game_texts.h"
#include "res/resource_ids.h"
#include "res/string_table.h"
#include "view/board_number_dlg.h"
#include "view/karoblen_view.h"

CKaroblenApp::CKaroblenApp() = default;
CKaroblenApp::~CKaroblenApp() = default;

bool CKaroblenApp::InitInstance() {
  AfxEnableControlContainer();
  Enable3dControls();
  SetRegistryKey("Local AppWizard-Generated Applications");
  LoadStdProfileSettings(0);

  AddDocTemplate(std::make_unique<CSingleDocTemplate>(
      IDR_MAINFRAME, [] { return std::make_unique<CKaroblenAppDoc>(); },
      [] { return std::make_unique<CMainFrame>(); },
      [] { return std::make_unique<CKaroblenView>(); }));

  CCommandLineInfo cmdInfo;
  ParseCommandLine(cmdInfo);
  if (!ProcessShellCommand(cmdInfo)) return false;
  // Before the window is shown, so the clock's board is never seen.
  if (m_nBoardAtStart)
    static_cast<CKaroblenAppDoc*>(GetDocTemplate()->GetDocument())->DealBoard(*m_nBoardAtStart);
  if (m_bTileSymbolsAtStart) RouteCommand(ID_GAME_TILESYMBOLS);

  WindowFactory().ShowMainWindow();

  m_bConfirmNewGame = true;
  return true;
}

bool CKaroblenApp::OnCmdMsg(int id) {
  switch (id) {
    case ID_FILE_NEW:
      OnNewGame();
      return true;
    case ID_APP_ABOUT:
      OnAppAbout();
      return true;
    case ID_HELP_HOWTOPLAY:
      OnHelpHowToPlay();
      return true;
    default:
      return CWinApp::OnCmdMsg(id);
  }
}

void CKaroblenApp::OnNewGame() {
  if (m_bConfirmNewGame &&
      Host().MessageBox(m_pMainWnd, std::string(res::Text(res::TextId::NewGameQuestion)),
                        m_pszAppName, MB_YESNO | MB_ICONQUESTION) != IDYES) {
    return;
  }
  OnFileNew();
  // Asked for, so the new board's number is said; the first board of the run
  // is shown quietly with the window.
  if (m_bConfirmNewGame) {
    const unsigned number =
        static_cast<CKaroblenAppDoc*>(GetDocTemplate()->GetDocument())->GetBoardNumber();
    Host().Announce(res::FormatString(ID_INDICATOR_BOARD, {std::to_string(number)}));
  }
}

void CKaroblenApp::OnHelpHowToPlay() {
  CHowToPlayDlg howToPlay(m_pMainWnd);
  howToPlay.DoModal();
}

void CKaroblenApp::OnAppAbout() {
  CAboutDlg aboutDlg(m_pMainWnd);
  aboutDlg.DoModal();
}

std::string CKaroblenApp::ReadBoardNumber(std::string_view text, unsigned& nNumber) {
  return CBoardNumberDlg::ReadNumber(text, nNumber);
}
