// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A modal dialog built from a numbered template and driven by a CDialog:
// the buttons, keys, clicks, list choices, timers and the close request of
// the window become calls of the dialog's handlers, and the window ends as
// soon as a handler has called EndDialog.
#include <QDialog>
#include <functional>
#include <memory>

#include "platform/dialog.h"
#include "platform/qt/dialogs/qt_control_site.h"

class CQtTemplateDialog : public QDialog {
 public:
  CQtTemplateDialog(const res::DialogTemplate& dialogTemplate, CDialog& dialog, QWidget* owner);
  ~CQtTemplateDialog() override;

  // OnInitDialog, then the modal loop; returns the value given to EndDialog.
  int Run();
  CQtControlSite& Site() { return *m_pSite; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;

 public:
  void accept() override;
  void reject() override;

 private:
  // Calls a handler and closes the window when it ended the dialog.
  void Deliver(const std::function<void()>& handler);
  void ConnectControls();
  void FocusFirstTabStop();
  void Detach();

  const res::DialogTemplate& m_template;
  CDialog& m_dialog;
  std::unique_ptr<CQtControlSite> m_pSite;
  bool m_bAttached = false;
};
