// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/window/window_factory.h"

#include <QLayout>

#include "platform/qt/common/window_registry.h"

CQtWindowFactory::~CQtWindowFactory() { DestroyMainWindow(); }

bool CQtWindowFactory::CreateMainWindow(int resourceId, CFrameWnd& frame, CView& view) {
  auto window = std::make_unique<CQtMainWindow>(resourceId, frame, view);
  if (!window->Create()) return false;
  m_pWindow = std::move(window);
  SetMainWidget(m_pWindow.get());
  return true;
}

void CQtWindowFactory::ShowMainWindow() {
  if (!m_pWindow) return;
  // The window was built before the template knew the view, so no state
  // could be asked then; Undo must already be greyed on the first frame.
  m_pWindow->UpdateCommandStates();
  // The board takes the keys from the start: arrows, Space and Return play.
  m_pWindow->ViewWidget().setFocus(Qt::OtherFocusReason);
  m_pWindow->show();
  // Painted at once, as the window's first appearance should be.
  m_pWindow->repaint();
}

void CQtWindowFactory::CloseMainWindow() {
  if (m_pWindow) m_pWindow->close();
}

void CQtWindowFactory::OnFirstInitialUpdate(CFrameWnd&, CView&) {
  if (!m_pWindow) return;
  // The view places the board and its texts on a size notification, which
  // must come once the first game exists; lay out the window first so the
  // size is the real one even before it is shown.
  if (m_pWindow->layout()) m_pWindow->layout()->activate();
  m_pWindow->ViewWidget().DeliverSize();
}

void CQtWindowFactory::DestroyMainWindow() {
  if (!m_pWindow) return;
  SetMainWidget(nullptr);
  m_pWindow.reset();
}
