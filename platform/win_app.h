// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The application object: start-up, the one document template and the
// command route's last stop.
#include <memory>
#include <optional>
#include <string>

#include "platform/command_target.h"
#include "platform/doc_template.h"
#include "platform/frame_wnd.h"

class CCommandLineInfo {
 public:
  enum Shell { FileNew, FileNothing };
  Shell m_nShellCommand = FileNew;
};

// The string table's application name: message-box caption and the
// desktop's name for the program.
std::string AfxAppTitle();

class CWinApp : public CCmdTarget {
 public:
  CWinApp();
  ~CWinApp() override;

  static CWinApp* Current();

  virtual bool InitInstance() { return true; }

  void AddDocTemplate(std::unique_ptr<CSingleDocTemplate> docTemplate);
  CSingleDocTemplate* GetDocTemplate() const { return m_pDocTemplate.get(); }
  // Start-up steps of a desktop application that have nothing to do on
  // this desktop: no embedded controls, no per-user settings are kept.
  void AfxEnableControlContainer() {}
  void Enable3dControls() {}
  void SetRegistryKey(const std::string&) {}
  void LoadStdProfileSettings(int) {}

  void ParseCommandLine(CCommandLineInfo& info) {
    info.m_nShellCommand = CCommandLineInfo::FileNew;
  }
  bool ProcessShellCommand(CCommandLineInfo& info);
  // The framework's New: a new game on the one document.
  void OnFileNew();

  CFrameWnd* m_pMainWnd = nullptr;
  // The string table's application name (AFX_IDS_APP_TITLE).
  std::string m_pszAppName;

  // Routes a command: view, main window, application. False when nobody
  // handled it (ID_APP_EXIT is the framework's own and closes the window).
  bool RouteCommand(int id);
  // Asks the same route whether command `id` is enabled, and whether it is
  // on (1) or off (0); -1 for a command that is not one to set on or off.
  bool IsCommandEnabled(int id);
  int GetCommandCheck(int id);
  // The text the same route gives status-bar pane `id`; nothing when no
  // target sets one.
  std::optional<std::string> GetCommandText(int id);

 private:
  CCmdUI QueryCommand(int id);

  std::unique_ptr<CSingleDocTemplate> m_pDocTemplate;
};

// Runs the application: InitInstance, then the event loop. Returns the exit code.
int AfxWinMain(CWinApp& app, int argc, char** argv);

// Tells the player why the program cannot start, in a message box of its own
// (no application runs yet), and returns when it is closed. A player who
// started the game from the desktop's menu sees no terminal.
void AfxStartupFailureBox(int argc, char** argv, const std::string& text);
