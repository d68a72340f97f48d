// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QMessageBox>

#include "platform/qt/qt_host.h"
#include "qt_test_support.h"

TEST(QtMessageBox, YesNoQuestionShowsTextCaptionButtonsAndIconAndReturnsNo) {
  CQtHost host;
  struct {
    QString text;
    QString caption;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
  } seen;
  WhenModalShown<QMessageBox>([&seen](QMessageBox* box) {
    seen.text = box->text();
    seen.caption = box->windowTitle();
    seen.icon = box->icon();
    seen.buttons = box->standardButtons();
    box->button(QMessageBox::No)->click();
  });
  const int result = host.MessageBox(nullptr, "Are you sure you want to start a new game?",
                                     "Karoblen", MB_YESNO | MB_ICONQUESTION);
  EXPECT_EQ(result, 7);
  EXPECT_EQ(seen.text, QStringLiteral("Are you sure you want to start a new game?"));
  EXPECT_EQ(seen.caption, QStringLiteral("Karoblen"));
  EXPECT_EQ(seen.icon, QMessageBox::Question);
  EXPECT_EQ(seen.buttons, QMessageBox::Yes | QMessageBox::No);
}

// Yes and No answers are in the dialog contract (dialog_contract_test.cpp).
TEST(QtMessageBox, OkBoxesReturnOneWithTheirIcon) {
  CQtHost host;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QMessageBox::StandardButtons buttons;
  WhenModalShown<QMessageBox>([&](QMessageBox* box) {
    icon = box->icon();
    buttons = box->standardButtons();
    box->button(QMessageBox::Ok)->click();
  });
  EXPECT_EQ(
      host.MessageBox(nullptr, "Cannot open the file.", "Karoblen", MB_OK | MB_ICONEXCLAMATION), 1);
  EXPECT_EQ(icon, QMessageBox::Warning);
  EXPECT_EQ(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));

  WhenModalShown<QMessageBox>([&](QMessageBox* box) {
    icon = box->icon();
    box->button(QMessageBox::Ok)->click();
  });
  EXPECT_EQ(host.MessageBox(nullptr, "3 scores added.", "Karoblen", MB_OK | MB_ICONINFORMATION), 1);
  EXPECT_EQ(icon, QMessageBox::Information);

  WhenModalShown<QMessageBox>([&](QMessageBox* box) {
    icon = box->icon();
    box->button(QMessageBox::Ok)->click();
  });
  EXPECT_EQ(host.MessageBox(nullptr, "Plain", "Karoblen", MB_OK), 1);
  EXPECT_EQ(icon, QMessageBox::NoIcon);
}
