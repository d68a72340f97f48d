// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The desktop's answers to what the game asks of it, over Qt.
#include <memory>

#include "platform/host.h"

class CQtBackgroundWork;
class CQtSoundPlayer;

class CQtHost : public CPlatformHost {
 public:
  // Needs the QApplication; loads the sound effects.
  CQtHost();
  ~CQtHost() override;

  void PlaySound(int waveId) override;
  void Sleep(int milliseconds) override;
  void KeepResponsive(int milliseconds) override;
  void Repaint(CWnd& wnd, RepaintMode mode) override;
  int MessageBox(CWnd* owner, const std::string& text, const std::string& caption,
                 unsigned type) override;
  std::optional<std::string> GetOpenFileName(const FileOpenRequest& request) override;
  int RunModal(CDialog& dialog) override;
  void Announce(const std::string& text) override;
  void RunInBackground(std::function<void()> work, std::function<void()> done) override;
  void ShowStatusMessage(const std::string& text) override;

 private:
  std::unique_ptr<CQtSoundPlayer> m_pSounds;
  std::unique_ptr<CQtBackgroundWork> m_pBackground;
};
