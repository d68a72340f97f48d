// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/qt_host.h"

#include <QWidget>

#include "platform/dialog.h"
#include "platform/qt/accessibility/announcement_accessible.h"
#include "platform/qt/background_work.h"
#include "platform/qt/common/erasable_widget.h"
#include "platform/qt/common/qt_text.h"
#include "platform/qt/common/window_registry.h"
#include "platform/qt/dialogs/message_box.h"
#include "platform/qt/dialogs/open_file_dialog.h"
#include "platform/qt/dialogs/template_dialog.h"
#include "platform/qt/input_holding_pause.h"
#include "platform/qt/sound_player.h"
#include "platform/qt/window/main_window.h"

namespace {
QWidget* OwnerFor(CWnd* wnd) {
  QWidget* widget = WidgetOf(wnd);
  if (!widget) widget = MainWidget();
  return widget ? widget->window() : nullptr;
}
}  // namespace

CQtHost::CQtHost()
    : m_pSounds(std::make_unique<CQtSoundPlayer>()),
      m_pBackground(std::make_unique<CQtBackgroundWork>()) {}

CQtHost::~CQtHost() = default;

void CQtHost::PlaySound(int waveId) { m_pSounds->Play(waveId); }

void CQtHost::Sleep(int milliseconds) { PauseHoldingInput(milliseconds); }

void CQtHost::KeepResponsive(int milliseconds) { PauseHoldingInput(milliseconds); }

void CQtHost::Repaint(CWnd& wnd, RepaintMode mode) {
  QWidget* widget = WidgetOf(&wnd);
  if (!widget) return;
  switch (mode) {
    case RepaintMode::Now:
      widget->repaint();
      break;
    case RepaintMode::NowErase:
      if (auto* erasable = dynamic_cast<CErasableWidget*>(widget)) erasable->EraseOnNextPaint();
      widget->repaint();
      break;
    case RepaintMode::Later:
      widget->update();
      break;
  }
}

int CQtHost::MessageBox(CWnd* owner, const std::string& text, const std::string& caption,
                        unsigned type) {
  return ShowMessageBox(OwnerFor(owner), text, caption, type);
}

std::optional<std::string> CQtHost::GetOpenFileName(const FileOpenRequest& request) {
  return ShowOpenFileDialog(OwnerFor(nullptr), request);
}

int CQtHost::RunModal(CDialog& dialog) {
  const res::DialogTemplate* dialogTemplate = res::FindDialogTemplate(dialog.GetTemplateId());
  if (!dialogTemplate) return -1;
  CQtTemplateDialog window(*dialogTemplate, dialog, OwnerFor(dialog.GetParent()));
  return window.Run();
}

void CQtHost::Announce(const std::string& text) { AnnounceToAssistiveTechnology(ToQString(text)); }

void CQtHost::RunInBackground(std::function<void()> work, std::function<void()> done) {
  m_pBackground->Run(std::move(work), std::move(done));
}

void CQtHost::ShowStatusMessage(const std::string& text) {
  auto* window = dynamic_cast<CQtMainWindow*>(MainWidget());
  CQtStatusPanes* panes = window ? window->StatusPanes() : nullptr;
  if (!panes) return;
  if (text.empty())
    panes->ShowIdle();
  else
    panes->ShowMessage(ToQString(text));
}
