// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/window/form_view_widget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "platform/qt/common/qt_paint_surface.h"
#include "platform/qt/common/window_registry.h"
#include "platform/qt/dialogs/dialog_units.h"
#include "platform/qt/window/mouse_flags.h"
#include "platform/qt/window/virtual_keys.h"

CQtFormViewWidget::CQtFormViewWidget(CView& view, QWidget* parent)
    : CErasableWidget(parent), m_view(view), m_pBoard(dynamic_cast<CAccessibleBoard*>(&view)) {
  setMouseTracking(true);
  setAutoFillBackground(false);
  setFocusPolicy(Qt::StrongFocus);
  // The board is a picture and its columns close to the left by the rules:
  // it keeps its layout when the chrome around it turns right to left.
  setLayoutDirection(Qt::LeftToRight);
  if (auto* form = dynamic_cast<CFormView*>(&view)) {
    if (const res::DialogTemplate* dialogTemplate =
            res::FindDialogTemplate(form->GetTemplateId())) {
      setFont(TemplateFont(dialogTemplate->pointSize));
      m_pSite =
          std::make_unique<CQtControlSite>(*this, *dialogTemplate, CQtControlSite::TimerHandler());
      m_view.AttachSite(m_pSite.get());
    }
  }
  if (m_pBoard) {
    InstallAccessibleBoardFactory([](QWidget* widget) -> const CAccessibleBoard* {
      auto* boardWidget = dynamic_cast<CQtFormViewWidget*>(widget);
      return boardWidget ? boardWidget->AccessibleBoard() : nullptr;
    });
    m_pAccess = std::make_unique<CQtBoardAccessNotifier>(*this, *m_pBoard);
  }
  RegisterWindow(m_view, this);
}

CQtFormViewWidget::~CQtFormViewWidget() {
  UnregisterWindow(m_view);
  if (m_view.GetSite() == m_pSite.get()) m_view.AttachSite(nullptr);
}

void CQtFormViewWidget::DeliverSize() { m_view.OnSize(0, width(), height()); }

void CQtFormViewWidget::paintEvent(QPaintEvent*) {
  {
    QPainter painter(this);
    if (TakeErase()) painter.fillRect(rect(), palette().color(QPalette::Window));
    CQtPaintSurface surface(painter);
    CDC dc(&surface);
    m_view.OnDraw(&dc);
  }
  if (m_pAccess) m_pAccess->BoardPainted();
}

void CQtFormViewWidget::resizeEvent(QResizeEvent*) {
  EraseOnNextPaint();
  DeliverSize();
}

void CQtFormViewWidget::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  m_view.OnMouseMove(MouseFlags(*event), CPoint{at.x(), at.y()});
}

void CQtFormViewWidget::leaveEvent(QEvent* event) {
  CErasableWidget::leaveEvent(event);
  m_view.OnMouseLeave();
}

void CQtFormViewWidget::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const QPoint at = event->position().toPoint();
  m_view.OnLButtonDown(MouseFlags(*event), CPoint{at.x(), at.y()});
  if (m_afterClick) m_afterClick();
}

// The toolkit's own handling would treat the second press of a double-click
// as one more press, and so as a second move.
void CQtFormViewWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const QPoint at = event->position().toPoint();
  m_view.OnLButtonDblClk(MouseFlags(*event), CPoint{at.x(), at.y()});
}

void CQtFormViewWidget::keyPressEvent(QKeyEvent* event) {
  const unsigned key = VirtualKeyOf(*event);
  if (key == 0) {
    // Not the board's: the window and its menus may want it.
    CErasableWidget::keyPressEvent(event);
    return;
  }
  m_view.OnKeyDown(key, 1, event->isAutoRepeat() ? KF_REPEAT : 0);
  if (m_afterClick) m_afterClick();
}

void CQtFormViewWidget::focusInEvent(QFocusEvent* event) {
  CErasableWidget::focusInEvent(event);
  if (m_pAccess) m_pAccess->FocusEntered();
}
