// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/host.h"

#include "platform/framework.h"

namespace {

// Until a desktop (or a test) installs itself, requests go nowhere and every
// question is answered with the choice that changes nothing.
class CNullHost final : public CPlatformHost {
 public:
  void PlaySound(int) override {}
  void Sleep(int) override {}
  void Repaint(CWnd&, RepaintMode) override {}
  int MessageBox(CWnd*, const std::string&, const std::string&, unsigned type) override {
    return (type & MB_BUTTONMASK) == MB_YESNO ? IDNO : IDOK;
  }
  std::optional<std::string> GetOpenFileName(const FileOpenRequest&) override {
    return std::nullopt;
  }
  int RunModal(CDialog&) override { return IDCANCEL; }
  void Announce(const std::string&) override {}
  // Without a desktop there is no event loop to come back to: both run here.
  void RunInBackground(std::function<void()> work, std::function<void()> done) override {
    work();
    done();
  }
  void ShowStatusMessage(const std::string&) override {}
};

CNullHost g_nullHost;
CPlatformHost* g_host = &g_nullHost;

}  // namespace

CPlatformHost& Host() { return *g_host; }

void SetHost(CPlatformHost* host) { g_host = host ? host : &g_nullHost; }

int AfxMessageBox(const std::string& text, unsigned type, const std::string& caption) {
  const std::string title = caption.empty() ? AfxAppTitle() : caption;
  CWinApp* app = CWinApp::Current();
  return Host().MessageBox(app ? app->m_pMainWnd : nullptr, text, title, type);
}
