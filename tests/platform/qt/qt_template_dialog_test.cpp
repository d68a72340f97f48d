// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <cmath>
#include <vector>

#include "platform/dialog.h"
#include "platform/qt/dialogs/dialog_units.h"
#include "platform/qt/dialogs/qt_control_site.h"
#include "platform/qt/dialogs/template_dialog.h"

namespace {
class CNameDlg : public CDialog {
 public:
  CNameDlg() : CDialog(148) {}
  void DoDataExchange(CDataExchange* pDX) override {
    DDX_Text(pDX, 1040, name);
    DDV_MaxChars(pDX, name, 16);
  }
  std::string name = "Ann";
};

// Records what the platform delivers to it.
class COptionsProbeDlg : public CDialog {
 public:
  COptionsProbeDlg() : CDialog(135) {}
  void OnLButtonDown(unsigned, CPoint point) override { clicks.push_back(point); }
  std::vector<CPoint> clicks;
};

QRect Expected(const QFont& font, int x, int y, int cx, int cy) {
  const QFontMetrics metrics(font);
  const int avgWidth = (metrics.horizontalAdvance(QStringLiteral(
                            "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) /
                            26 +
                        1) /
                       2;
  const double unitX = avgWidth / 4.0;
  const double unitY = metrics.height() / 8.0;
  return QRect(static_cast<int>(std::lround(x * unitX)), static_cast<int>(std::lround(y * unitY)),
               static_cast<int>(std::lround(cx * unitX)),
               static_cast<int>(std::lround(cy * unitY)));
}
}  // namespace

TEST(QtTemplateDialog, NameEntryControlsSitAtTheirConvertedRectangles) {
  CNameDlg dialog;
  CQtTemplateDialog window(*res::FindDialogTemplate(148), dialog, nullptr);
  const QFont font = TemplateFont(9);
  EXPECT_EQ(window.font().pointSize(), 9);
  EXPECT_EQ(window.size(), Expected(font, 0, 0, 147, 76).size());
  CQtControlSite& site = window.Site();
  EXPECT_EQ(site.Widget(1040)->geometry(), Expected(font, 5, 40, 135, 12));
  EXPECT_EQ(site.Widget(IDOK)->geometry(), Expected(font, 89, 58, 50, 14));
  ASSERT_NE(qobject_cast<QLineEdit*>(site.Widget(1040)), nullptr);
  ASSERT_NE(qobject_cast<QPushButton*>(site.Widget(IDOK)), nullptr);
  EXPECT_TRUE(qobject_cast<QPushButton*>(site.Widget(IDOK))->isDefault());
  // The texts come in template order, before and after the button's id; the
  // hint beside the field is empty until a character is refused.
  std::vector<QString> texts;
  for (const auto& control : site.Controls())
    if (auto* label = qobject_cast<QLabel*>(control.widget)) texts.push_back(label->text());
  EXPECT_EQ(texts, (std::vector<QString>{QStringLiteral("Congratulations -- you got a high score!"),
                                         QStringLiteral("Please enter your name."), QString()}));
}

// The limit counts characters, not UTF-16 units: a letter beyond the first
// plane is one, and what goes beyond is refused where it is put in.
TEST(QtTemplateDialog, EditLimitCountsCharacters) {
  CNameDlg dialog;
  CQtTemplateDialog window(*res::FindDialogTemplate(148), dialog, nullptr);
  dialog.OnInitDialog();  // sets the limit of 16
  auto* edit = qobject_cast<QLineEdit*>(window.Site().Widget(1040));
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(window.Site().GetLimitText(1040), 16);
  const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
  edit->setText(QString(15, QLatin1Char('a')));
  edit->insert(emoji);
  EXPECT_EQ(edit->text(), QString(15, QLatin1Char('a')) + emoji);
  edit->insert(QStringLiteral("b"));
  EXPECT_EQ(edit->text(), QString(15, QLatin1Char('a')) + emoji);
  edit->setText(QStringLiteral("abc"));
  edit->setCursorPosition(1);
  edit->insert(QString(18, QLatin1Char('X')));
  EXPECT_EQ(edit->text(),
            QStringLiteral("a") + QString(13, QLatin1Char('X')) + QStringLiteral("bc"));
}

// Right to left, a dialog is its mirror image: each control at the same
// distance from the right edge as it stands from the left one in the template.
TEST(QtTemplateDialog, RightToLeftMirrorsTheControls) {
  QGuiApplication::setLayoutDirection(Qt::RightToLeft);
  CNameDlg dialog;
  CQtTemplateDialog window(*res::FindDialogTemplate(148), dialog, nullptr);
  QGuiApplication::setLayoutDirection(Qt::LeftToRight);
  const QFont font = TemplateFont(9);
  CQtControlSite& site = window.Site();
  const QRect ok = Expected(font, 89, 58, 50, 14);
  EXPECT_EQ(site.Widget(IDOK)->geometry(),
            QRect(window.width() - ok.x() - ok.width(), ok.y(), ok.width(), ok.height()));
  const QRect edit = Expected(font, 5, 40, 135, 12);
  EXPECT_EQ(site.Widget(1040)->geometry().right(), window.width() - 1 - edit.x());
}

// What the player types reaches the dialog as a change of the edit's text;
// what the program writes does not.
TEST(QtTemplateDialog, TypingInAnEditTellsTheDialog) {
  class CTypedDlg : public CNameDlg {
   public:
    void OnCommand(int id, int notification) override {
      if (notification == EN_CHANGE) changes.push_back(id);
    }
    std::vector<int> changes;
  } dialog;
  CQtTemplateDialog window(*res::FindDialogTemplate(148), dialog, nullptr);
  window.show();
  auto* edit = qobject_cast<QLineEdit*>(window.Site().Widget(1040));
  ASSERT_NE(edit, nullptr);
  dialog.SetDlgItemText(1040, "Ann");
  EXPECT_TRUE(dialog.changes.empty());
  QTest::keyClicks(edit, QStringLiteral("Bo"));
  EXPECT_EQ(dialog.changes, (std::vector<int>{1040, 1040}));
}

TEST(QtTemplateDialog, ClickOnATextReachesTheDialogInItsCoordinates) {
  COptionsProbeDlg dialog;
  CQtTemplateDialog window(*res::FindDialogTemplate(135), dialog, nullptr);
  window.show();
  QLabel* text = nullptr;
  for (const auto& control : window.Site().Controls())
    if (auto* label = qobject_cast<QLabel*>(control.widget);
        label && label->text() == QStringLiteral("Tile Set:"))
      text = label;
  ASSERT_NE(text, nullptr);
  QTest::mouseClick(text, Qt::LeftButton, {}, QPoint(2, 3));
  ASSERT_EQ(dialog.clicks.size(), 1u);
  EXPECT_EQ(dialog.clicks[0], (CPoint{text->x() + 2, text->y() + 3}));
  EXPECT_FALSE(dialog.IsEnding());
}
