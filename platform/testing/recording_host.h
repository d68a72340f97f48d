// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The platform host for tests: records every request in order as readable
// strings, answers message boxes and file dialogs from queues, and runs modal
// dialogs in memory with a per-template script standing in for the player.
//
// It installs itself as Host() when constructed and puts the previous host
// back when destroyed.
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/dialog.h"
#include "platform/host.h"
#include "platform/testing/memory_control_site.h"
#include "platform/testing/recording_surface.h"

class CRecordingHost : public CPlatformHost {
 public:
  struct MessageBoxCall {
    CWnd* owner = nullptr;
    std::string text;
    std::string caption;
    unsigned type = 0;
    int answer = 0;
  };
  struct FileDialogCall {
    FileOpenRequest request;
    std::optional<std::string> answer;
  };
  struct RepaintCall {
    CWnd* wnd = nullptr;
    RepaintMode mode = RepaintMode::Now;
  };
  struct DialogCall {
    int templateId = 0;
    int result = 0;
  };
  using DialogScript = std::function<void(CDialog&, CMemoryControlSite&)>;

  // Timer periods a dialog may run unattended before it is cancelled.
  static constexpr int kMaxTimerTicks = 10000;

  CRecordingHost();
  ~CRecordingHost() override;
  CRecordingHost(const CRecordingHost&) = delete;
  CRecordingHost& operator=(const CRecordingHost&) = delete;

  // Answers, used in the order given; when the queue is empty a Yes/No box
  // answers IDYES, any other box IDOK, and a file dialog is cancelled.
  void AnswerMessageBox(int answer) { m_messageBoxAnswers.push_back(answer); }
  void AnswerFileDialog(std::optional<std::string> path) {
    m_fileAnswers.push_back(std::move(path));
  }
  // Runs `script` each time a dialog on `templateId` is shown, after its
  // OnInitDialog. Replaces any earlier script for that template; an empty
  // script removes it.
  void OnDialog(int templateId, DialogScript script) { m_scripts[templateId] = std::move(script); }

  // Forgets everything recorded so far (answers and scripts stay).
  void ClearEvents();
  // How many events equal `event` exactly.
  int Count(const std::string& event) const;

  // CPlatformHost
  void PlaySound(int waveId) override;
  void Sleep(int milliseconds) override;
  void Repaint(CWnd& wnd, RepaintMode mode) override;
  int MessageBox(CWnd* owner, const std::string& text, const std::string& caption,
                 unsigned type) override;
  std::optional<std::string> GetOpenFileName(const FileOpenRequest& request) override;
  int RunModal(CDialog& dialog) override;
  void Announce(const std::string& text) override { announcements.push_back(text); }
  // Kept until the test lets them run, so that it can act in between.
  void RunInBackground(std::function<void()> work, std::function<void()> done) override {
    m_background.push_back({std::move(work), std::move(done)});
  }
  void ShowStatusMessage(const std::string& text) override { statusMessages.push_back(text); }

  // Background work still waiting to run.
  int PendingBackgroundWork() const { return static_cast<int>(m_background.size()); }
  // Runs every waiting piece of work, oldest first, each followed by its
  // `done`; work added meanwhile runs too.
  void RunBackgroundWork();

  // Every request in order:
  //   "sound 140"   "pause 100"
  //   "repaint now"   "repaint now erase"   "repaint later"
  //   "message box \"TEXT\" caption \"CAPTION\" BUTTONS ICON"
  //       BUTTONS: ok | yesno; ICON: question | exclamation | information | none
  //   "file dialog \"TITLE\""
  //   "dialog 148"   (logged after OnInitDialog, before the script runs)
  std::vector<std::string> events;

  // The same requests, structured.
  std::vector<int> sounds;
  std::vector<int> pauses;
  std::vector<RepaintCall> repaints;
  std::vector<MessageBoxCall> messageBoxes;
  std::vector<FileDialogCall> fileDialogs;
  std::vector<DialogCall> dialogs;  // appended when the dialog has ended
  // Kept apart from `events`: news for a screen reader is not in the order
  // of what a player sees and hears.
  std::vector<std::string> announcements;
  // What the status bar's message pane was given, "" for the idle message.
  std::vector<std::string> statusMessages;
  // What the last immediate repaint of a view drew, and how many such
  // paints there were.
  CRecordingSurface lastPaint;
  int paintCount = 0;

 private:
  CPlatformHost* m_pPrevious;
  std::deque<int> m_messageBoxAnswers;
  std::deque<std::optional<std::string>> m_fileAnswers;
  std::map<int, DialogScript> m_scripts;
  struct BackgroundWork {
    std::function<void()> work;
    std::function<void()> done;
  };
  std::deque<BackgroundWork> m_background;
};
