// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/dialogs/template_dialog.h"

#include <qdrawutil.h>

#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

#include "platform/qt/accessibility/template_control_names.h"
#include "platform/qt/common/qt_text.h"
#include "platform/qt/common/window_registry.h"
#include "platform/qt/dialogs/dialog_units.h"
#include "platform/qt/dialogs/template_controls.h"
#include "platform/qt/x11/x11_dialog_hints.h"

namespace {
using namespace res::style;

Qt::WindowFlags FlagsFor(unsigned style) {
  Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint;
  if (style & TitleBar) flags |= Qt::WindowTitleHint;
  if (style & CloseBox) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  return flags;
}
}  // namespace

CQtTemplateDialog::CQtTemplateDialog(const res::DialogTemplate& dialogTemplate, CDialog& dialog,
                                     QWidget* owner)
    : QDialog(owner, FlagsFor(dialogTemplate.style)), m_template(dialogTemplate), m_dialog(dialog) {
  setWindowTitle(ToQString(dialogTemplate.caption));
  setFont(TemplateFont(dialogTemplate.pointSize));
  setSizeGripEnabled(false);
  const DialogBaseUnits units = BaseUnitsOf(font());
  setFixedSize(units.ToPixelsX(dialogTemplate.cx), units.ToPixelsY(dialogTemplate.cy));
  m_pSite = std::make_unique<CQtControlSite>(*this, dialogTemplate, [this](int timerId) {
    Deliver([this, timerId] { m_dialog.OnTimer(timerId); });
  });
  m_pSite->AddInitialItems(dialogTemplate);
  std::vector<QWidget*> widgets;
  for (const CQtControlSite::Control& control : m_pSite->Controls())
    widgets.push_back(control.widget);
  NameTemplateControls(dialogTemplate, widgets, *this);
  ConnectControls();
  m_dialog.BeginModalState();
  m_dialog.AttachSite(m_pSite.get());
  m_bAttached = true;
  RegisterWindow(m_dialog, this);
}

CQtTemplateDialog::~CQtTemplateDialog() { Detach(); }

void CQtTemplateDialog::Detach() {
  if (!m_bAttached) return;
  m_bAttached = false;
  m_pSite->KillAllTimers();
  m_dialog.OnDestroy();
  UnregisterWindow(m_dialog);
  m_dialog.AttachSite(nullptr);
}

int CQtTemplateDialog::Run() {
  if (m_dialog.OnInitDialog()) FocusFirstTabStop();
  if (!m_dialog.IsEnding()) exec();
  Detach();
  return m_dialog.GetResult();
}

void CQtTemplateDialog::Deliver(const std::function<void()>& handler) {
  if (m_dialog.IsEnding()) return;
  handler();
  if (m_dialog.IsEnding()) {
    m_pSite->KillAllTimers();
    done(m_dialog.GetResult());
  }
}

void CQtTemplateDialog::ConnectControls() {
  for (const CQtControlSite::Control& control : m_pSite->Controls()) {
    const int id = control.id;
    if (auto* button = qobject_cast<QPushButton*>(control.widget)) {
      connect(button, &QPushButton::clicked, this, [this, id] {
        Deliver([this, id] {
          if (id == IDOK)
            m_dialog.OnOK();
          else if (id == IDCANCEL)
            m_dialog.OnCancel();
          else
            m_dialog.OnCommand(id, BN_CLICKED);
        });
      });
    } else if (auto* edit = qobject_cast<QLineEdit*>(control.widget)) {
      connect(edit, &QLineEdit::textEdited, this,
              [this, id] { Deliver([this, id] { m_dialog.OnCommand(id, EN_CHANGE); }); });
    } else if (auto* combo = qobject_cast<QComboBox*>(control.widget)) {
      connect(combo, &QComboBox::activated, this,
              [this, id] { Deliver([this, id] { m_dialog.OnCommand(id, CBN_SELCHANGE); }); });
    }
  }
}

void CQtTemplateDialog::FocusFirstTabStop() {
  for (const auto& control : m_pSite->Controls()) {
    QWidget* widget = control.widget;
    if (!widget->isHidden() && widget->isEnabled() && (widget->focusPolicy() & Qt::TabFocus)) {
      widget->setFocus(Qt::TabFocusReason);
      return;
    }
  }
}

void CQtTemplateDialog::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Escape:
      Deliver([this] { m_dialog.OnCancel(); });
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      Deliver([this] { m_dialog.OnOK(); });
      return;
    default:
      QDialog::keyPressEvent(event);
  }
}

void CQtTemplateDialog::closeEvent(QCloseEvent* event) {
  // The window goes only when the dialog says so; the close box is a request.
  event->ignore();
  Deliver([this] { m_dialog.OnClose(); });
}

void CQtTemplateDialog::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    const QPoint at = event->position().toPoint();
    Deliver([this, at] { m_dialog.OnLButtonDown(MK_LBUTTON, CPoint{at.x(), at.y()}); });
  }
  QDialog::mousePressEvent(event);
}

void CQtTemplateDialog::showEvent(QShowEvent* event) {
  // The native window exists by now and is not yet mapped, so the window
  // manager reads the hints when it takes the window on.
  DeclineMinimiseAndMaximise(*this, (m_template.style & CloseBox) != 0);
  QDialog::showEvent(event);
}

void CQtTemplateDialog::paintEvent(QPaintEvent* event) {
  QDialog::paintEvent(event);
  QPainter painter(this);
  if (m_template.style & ClientEdge) qDrawShadePanel(&painter, rect(), palette(), true, 2);
  // The site holds one widget per template control, in template order.
  const auto& controls = m_pSite->Controls();
  for (std::size_t i = 0; i < controls.size() && i < m_template.controls.size(); ++i)
    DrawControlEdges(painter, palette(), m_template.controls[i], *controls[i].widget);
}

void CQtTemplateDialog::accept() {
  Deliver([this] { m_dialog.OnOK(); });
}

void CQtTemplateDialog::reject() {
  Deliver([this] { m_dialog.OnCancel(); });
}
