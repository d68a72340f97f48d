// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/dialogs/message_box.h"

#include <QMessageBox>

#include "platform/afx_types.h"
#include "platform/qt/common/qt_text.h"

namespace {
QMessageBox::Icon IconFor(unsigned type) {
  switch (type & MB_ICONMASK) {
    case MB_ICONQUESTION:
      return QMessageBox::Question;
    case MB_ICONEXCLAMATION:
      return QMessageBox::Warning;
    case MB_ICONINFORMATION:
      return QMessageBox::Information;
    default:
      return QMessageBox::NoIcon;
  }
}
}  // namespace

int ShowMessageBox(QWidget* owner, const std::string& text, const std::string& caption,
                   unsigned type) {
  const bool yesNo = (type & MB_BUTTONMASK) == MB_YESNO;
  QMessageBox box(IconFor(type), ToQString(caption), ToQString(text),
                  yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, owner);
  box.setTextFormat(Qt::PlainText);
  if (yesNo) {
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes ? IDYES : IDNO;
  }
  box.exec();
  return IDOK;
}
