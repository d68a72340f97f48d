// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's board area: a CFormView's controls from its template,
// its painting through a CDC, its mouse, keyboard and size messages, and
// what assistive technology reads of its board.
#include <functional>
#include <memory>

#include "platform/accessible_board.h"
#include "platform/framework.h"
#include "platform/qt/accessibility/accessible_board_factory.h"
#include "platform/qt/accessibility/board_access_notifier.h"
#include "platform/qt/common/erasable_widget.h"
#include "platform/qt/dialogs/qt_control_site.h"

class CQtFormViewWidget : public CErasableWidget {
 public:
  // Builds the controls of the view's template (a view that is not a form
  // view has none) and attaches the view to them.
  explicit CQtFormViewWidget(CView& view, QWidget* parent = nullptr);
  ~CQtFormViewWidget() override;

  // Tells the view its client size, as after a resize.
  void DeliverSize();
  // Called after each mouse click or key press on the board, when the game
  // may have changed state.
  void SetAfterClick(std::function<void()> afterClick) { m_afterClick = std::move(afterClick); }
  // The board the view shows, for assistive technology; nullptr if none.
  const CAccessibleBoard* AccessibleBoard() const { return m_pBoard; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;

 private:
  CView& m_view;
  const CAccessibleBoard* m_pBoard;
  std::unique_ptr<CQtControlSite> m_pSite;
  std::unique_ptr<CQtBoardAccessNotifier> m_pAccess;
  std::function<void()> m_afterClick;
};
