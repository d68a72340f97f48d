#pragma once
// The main window's board area: a CFormView's controls from its template,
// its painting through a CDC, and its mouse and size messages.
#include <functional>
#include <memory>

#include "platform/framework.h"
#include "platform/qt/erasable_widget.h"
#include "platform/qt/qt_control_site.h"

class CQtFormViewWidget : public CErasableWidget {
 public:
  // Builds the controls of the view's template (a view that is not a form
  // view has none) and attaches the view to them.
  explicit CQtFormViewWidget(CView& view, QWidget* parent = nullptr);
  ~CQtFormViewWidget() override;

  // Tells the view its client size, as after a resize.
  void DeliverSize();
  // Called after each mouse click, when the game may have changed state.
  void SetAfterClick(std::function<void()> afterClick) { m_afterClick = std::move(afterClick); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  CView& m_view;
  std::unique_ptr<CQtControlSite> m_pSite;
  std::function<void()> m_afterClick;
};
