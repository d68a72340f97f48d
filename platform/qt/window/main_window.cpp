// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/window/main_window.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QStatusTipEvent>
#include <QWindow>
#include <algorithm>

#include "platform/qt/common/qt_text.h"
#include "platform/qt/common/resource_images.h"
#include "platform/qt/common/window_registry.h"
#include "platform/qt/window/status_bar.h"
#include "res/command_resources.h"
#include "res/game_texts.h"
#include "res/string_table.h"

namespace {
// The window title is the first field of the document template's string.
QString TitleOf(int resourceId) {
  const char* descriptor = res::LoadString(resourceId);
  if (!descriptor) descriptor = res::LoadString(AFX_IDS_APP_TITLE);
  return descriptor ? ToQString(descriptor).section(QLatin1Char('\n'), 0, 0) : QString();
}

Qt::ToolBarAreas AreasOf(unsigned sides) {
  Qt::ToolBarAreas areas;
  if (sides & CBRS_ALIGN_TOP) areas |= Qt::TopToolBarArea;
  if (sides & CBRS_ALIGN_BOTTOM) areas |= Qt::BottomToolBarArea;
  if (sides & CBRS_ALIGN_LEFT) areas |= Qt::LeftToolBarArea;
  if (sides & CBRS_ALIGN_RIGHT) areas |= Qt::RightToolBarArea;
  return areas;
}
}  // namespace

CQtMainWindow::CQtMainWindow(int resourceId, CFrameWnd& frame, CView& view)
    : m_frame(frame), m_pView(new CQtFormViewWidget(view, this)) {
  setWindowTitle(TitleOf(resourceId));
  setWindowIcon(ResourceIcon(resourceId));
  setCentralWidget(m_pView);
  m_pCommands =
      std::make_unique<CQtCommandActions>(*this, [this](int command) { RunCommand(command); });
  m_pCommands->BuildMenuBar(*menuBar(), [this] { UpdateCommandStates(); });
  for (const auto& [command, action] : m_pCommands->Actions()) addAction(action);
  for (QMenu* menu : menuBar()->findChildren<QMenu*>())
    connect(menu, &QMenu::aboutToHide, this, [this] {
      if (m_pStatus) m_pStatus->ShowIdle();
    });
  m_pView->SetAfterClick([this] { UpdateCommandStates(); });
  // Toolbar buttons show the state without a menu being opened. The game
  // changes only in answer to something the loop has just handled (a click,
  // a key, a command, a dialog), so the states are asked for each time the
  // loop goes back to waiting: never while the window sits untouched.
  if (QAbstractEventDispatcher* loop = QAbstractEventDispatcher::instance())
    connect(loop, &QAbstractEventDispatcher::aboutToBlock, this, [this] { UpdateCommandStates(); });
  RegisterWindow(m_frame, this);
}

CQtMainWindow::~CQtMainWindow() {
  UnregisterWindow(m_frame);
  if (m_frame.GetFrameSite() == this) m_frame.AttachFrameSite(nullptr);
}

bool CQtMainWindow::Create() {
  CREATESTRUCT cs;
  cs.style = FWS_ADDTOTITLE;
  if (!m_frame.PreCreateWindow(cs)) return false;
  m_frame.AttachFrameSite(this);
  if (m_frame.OnCreate() == -1) {
    m_frame.AttachFrameSite(nullptr);
    return false;
  }
  ApplyMinimumSize();
  resize(minimumSize());
  UpdateCommandStates();
  return true;
}

void CQtMainWindow::UpdateCommandStates() {
  CWinApp* app = CWinApp::Current();
  if (!app) return;
  for (const auto& [command, action] : m_pCommands->Actions()) {
    const bool enabled = app->IsCommandEnabled(command);
    if (action->isEnabled() != enabled) action->setEnabled(enabled);
    const int check = app->GetCommandCheck(command);
    if (check < 0) continue;
    action->setCheckable(true);
    if (action->isChecked() != (check != 0)) action->setChecked(check != 0);
  }
  if (m_pStatus) {
    m_pStatus->ShowTexts([app](int id) -> std::optional<QString> {
      const std::optional<std::string> text = app->GetCommandText(id);
      return text ? std::optional<QString>(ToQString(*text)) : std::nullopt;
    });
  }
}

void CQtMainWindow::RunCommand(int command) {
  if (CWinApp* app = CWinApp::Current()) app->RouteCommand(command);
  UpdateCommandStates();
}

// The outer frame must not get smaller than the frame's minimum; the toolkit
// limits the inside, so the frame's own margins are taken off. A window
// manager adds its frame only after the window is shown, and says how wide it
// is later still, so this runs again whenever the toolkit reports a move,
// resize, state change or exposure: the margins are never guessed.
void CQtMainWindow::ApplyMinimumSize() {
  MINMAXINFO limits{};
  m_frame.OnGetMinMaxInfo(&limits);
  if (limits.ptMinTrackSize.x <= 0 && limits.ptMinTrackSize.y <= 0) return;
  const QWindow* handle = windowHandle();
  const QMargins margins = handle ? handle->frameMargins() : QMargins();
  const QSize inside(std::max(0, limits.ptMinTrackSize.x - margins.left() - margins.right()),
                     std::max(0, limits.ptMinTrackSize.y - margins.top() - margins.bottom()));
  if (minimumSize() != inside) setMinimumSize(inside);
}

bool CQtMainWindow::CreateToolBar(unsigned style, int id) {
  m_pToolBar = new QToolBar(ToQString(res::Text(res::TextId::ToolbarTitle)), this);
  m_pToolBar->setObjectName(QStringLiteral("toolbar-%1").arg(id));
  m_pToolBar->setIconSize(QSize(res::ToolbarButtonWidth, res::ToolbarButtonHeight));
  m_pToolBar->setMovable(true);
  m_pToolBar->setFloatable(true);
  // The view is laid out afresh whenever the toolbar lands somewhere else.
  connect(m_pToolBar, &QToolBar::topLevelChanged, this, [this] { m_frame.RecalcLayout(); });
  connect(m_pToolBar, &QToolBar::orientationChanged, this, [this] { m_frame.RecalcLayout(); });
  connect(m_pToolBar, &QToolBar::visibilityChanged, this, [this] { m_frame.RecalcLayout(); });
  const Qt::ToolBarArea area = (style & CBRS_ALIGN_BOTTOM)  ? Qt::BottomToolBarArea
                               : (style & CBRS_ALIGN_LEFT)  ? Qt::LeftToolBarArea
                               : (style & CBRS_ALIGN_RIGHT) ? Qt::RightToolBarArea
                                                            : Qt::TopToolBarArea;
  addToolBar(area, m_pToolBar);
  return true;
}

bool CQtMainWindow::LoadToolBar(int resourceId) {
  return m_pToolBar && m_pCommands->FillToolBar(*m_pToolBar, resourceId);
}

void CQtMainWindow::SetToolBarStyle(unsigned) {
  // Tooltips and size follow the toolkit's own toolbar; no style changes them.
}

void CQtMainWindow::EnableToolBarDocking(unsigned sides) {
  if (m_pToolBar) m_pToolBar->setAllowedAreas(AreasOf(sides));
}

void CQtMainWindow::EnableFrameDocking(unsigned) {
  // Every side of a main window takes toolbars; the toolbar's own allowed
  // areas decide.
}

void CQtMainWindow::DockToolBar() {
  if (m_pToolBar && toolBarArea(m_pToolBar) == Qt::NoToolBarArea)
    addToolBar(Qt::TopToolBarArea, m_pToolBar);
}

bool CQtMainWindow::CreateStatusBar(unsigned style, int id) {
  auto* bar = new CQtStatusBar((style & CBRS_BORDER_TOP) != 0, this);
  setStatusBar(bar);
  bar->setObjectName(QStringLiteral("statusbar-%1").arg(id));
  bar->setSizeGripEnabled(true);
  m_pStatus = std::make_unique<CQtStatusPanes>(*bar);
  return true;
}

bool CQtMainWindow::SetIndicators(const int* ids, int count) {
  return m_pStatus && m_pStatus->SetIndicators(ids, count);
}

void CQtMainWindow::InvalidateClient(bool erase) {
  if (erase) m_pView->EraseOnNextPaint();
  m_pView->update();
}

void CQtMainWindow::LayoutBars() {
  if (layout()) layout()->update();
}

bool CQtMainWindow::event(QEvent* event) {
  switch (event->type()) {
    case QEvent::StatusTip:
      ShowStatusTip(static_cast<QStatusTipEvent*>(event)->tip());
      return true;
    case QEvent::Move:
    case QEvent::WindowStateChange:
      ApplyMinimumSize();
      break;
    default:
      break;
  }
  return QMainWindow::event(event);
}

bool CQtMainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == windowHandle() && event->type() == QEvent::Expose) ApplyMinimumSize();
  return QMainWindow::eventFilter(watched, event);
}

void CQtMainWindow::ShowStatusTip(const QString& tip) {
  if (!m_pStatus) return;
  // A command without a prompt still clears the pane while it is highlighted.
  const auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  const QAction* highlighted = menu ? menu->activeAction() : nullptr;
  m_pStatus->ShowPrompt(tip, highlighted && m_pCommands->CommandOf(highlighted) != 0);
}

void CQtMainWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  ApplyMinimumSize();
  m_frame.RecalcLayout();
}

void CQtMainWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (QWindow* handle = windowHandle()) {
    handle->removeEventFilter(this);
    handle->installEventFilter(this);
  }
  ApplyMinimumSize();
}
