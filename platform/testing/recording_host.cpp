// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/testing/recording_host.h"

#include <algorithm>
#include <string>

#include "platform/framework.h"

namespace {

std::string ButtonsName(unsigned type) {
  return (type & MB_BUTTONMASK) == MB_YESNO ? "yesno" : "ok";
}

std::string IconName(unsigned type) {
  switch (type & MB_ICONMASK) {
    case MB_ICONQUESTION:
      return "question";
    case MB_ICONEXCLAMATION:
      return "exclamation";
    case MB_ICONINFORMATION:
      return "information";
    default:
      return "none";
  }
}

// The first control that takes the focus: visible, enabled and not a label.
int FirstFocusable(const CMemoryControlSite& site) {
  for (const auto& c : site.Controls()) {
    const bool label = c.kind == res::ControlKind::Static || c.kind == res::ControlKind::Icon;
    if (!label && c.visible && c.enabled && c.id != IDC_STATIC) return c.id;
  }
  return 0;
}

}  // namespace

CRecordingHost::CRecordingHost() : m_pPrevious(&Host()) { SetHost(this); }

CRecordingHost::~CRecordingHost() {
  if (&Host() == this) SetHost(m_pPrevious);
}

void CRecordingHost::ClearEvents() {
  events.clear();
  sounds.clear();
  pauses.clear();
  repaints.clear();
  messageBoxes.clear();
  fileDialogs.clear();
  dialogs.clear();
  lastPaint.Clear();
  paintCount = 0;
}

int CRecordingHost::Count(const std::string& event) const {
  return static_cast<int>(std::count(events.begin(), events.end(), event));
}

void CRecordingHost::PlaySound(int waveId) {
  events.push_back("sound " + std::to_string(waveId));
  sounds.push_back(waveId);
}

void CRecordingHost::Sleep(int milliseconds) {
  events.push_back("pause " + std::to_string(milliseconds));
  pauses.push_back(milliseconds);
}

void CRecordingHost::Repaint(CWnd& wnd, RepaintMode mode) {
  switch (mode) {
    case RepaintMode::Now:
      events.push_back("repaint now");
      break;
    case RepaintMode::NowErase:
      events.push_back("repaint now erase");
      break;
    case RepaintMode::Later:
      events.push_back("repaint later");
      break;
  }
  repaints.push_back({&wnd, mode});
  if (mode == RepaintMode::Later) return;
  // An immediate repaint has run the paint handler by the time it returns.
  if (auto* view = dynamic_cast<CView*>(&wnd)) {
    lastPaint.Clear();
    CDC dc(&lastPaint);
    view->OnDraw(&dc);
    ++paintCount;
  }
}

int CRecordingHost::MessageBox(CWnd* owner, const std::string& text, const std::string& caption,
                               unsigned type) {
  events.push_back("message box \"" + text + "\" caption \"" + caption + "\" " + ButtonsName(type) +
                   " " + IconName(type));
  int answer = (type & MB_BUTTONMASK) == MB_YESNO ? IDYES : IDOK;
  if (!m_messageBoxAnswers.empty()) {
    answer = m_messageBoxAnswers.front();
    m_messageBoxAnswers.pop_front();
  }
  messageBoxes.push_back({owner, text, caption, type, answer});
  return answer;
}

std::optional<std::string> CRecordingHost::GetOpenFileName(const FileOpenRequest& request) {
  events.push_back("file dialog \"" + request.title + "\"");
  std::optional<std::string> answer;
  if (!m_fileAnswers.empty()) {
    answer = m_fileAnswers.front();
    m_fileAnswers.pop_front();
  }
  fileDialogs.push_back({request, answer});
  return answer;
}

int CRecordingHost::RunModal(CDialog& dialog) {
  const int templateId = dialog.GetTemplateId();
  CMemoryControlSite site(templateId);
  site.AttachDialog(&dialog);
  dialog.BeginModalState();
  dialog.AttachSite(&site);
  if (dialog.OnInitDialog()) site.SetFocus(FirstFocusable(site));
  events.push_back("dialog " + std::to_string(templateId));

  if (!dialog.IsEnding()) {
    auto script = m_scripts.find(templateId);
    if (script != m_scripts.end() && script->second) script->second(dialog, site);
  }
  // Left alone, a timed dialog runs its course; any other waits for a player
  // who is not there, so it gets Escape.
  for (int tick = 0; tick < kMaxTimerTicks && !dialog.IsEnding() && !site.ActiveTimers().empty();
       ++tick)
    site.FireTimers();
  if (!dialog.IsEnding()) dialog.OnCancel();

  dialog.OnDestroy();
  dialog.AttachSite(nullptr);
  site.AttachDialog(nullptr);
  dialogs.push_back({templateId, dialog.GetResult()});
  return dialog.GetResult();
}

void CRecordingHost::RunBackgroundWork() {
  while (!m_background.empty()) {
    BackgroundWork next = std::move(m_background.front());
    m_background.pop_front();
    next.work();
    next.done();
  }
}
