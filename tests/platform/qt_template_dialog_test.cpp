#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <vector>

#include "platform/dialog.h"
#include "platform/qt/dialogs/dialog_units.h"
#include "platform/qt/dialogs/template_dialog.h"
#include "platform/qt/qt_host.h"
#include "qt_test_support.h"

namespace {
// Ends itself after a number of timer ticks, like the game-over tally.
class CTickingDlg : public CDialog {
 public:
  explicit CTickingDlg(int ticksToRun) : CDialog(142), m_nTicksToRun(ticksToRun) {}
  bool OnInitDialog() override {
    CDialog::OnInitDialog();
    hiddenAtStart = !GetSite()->IsVisible(1010);
    SetTimer(1, 10);
    return true;
  }
  void OnTimer(int timerId) override {
    ASSERT_EQ(timerId, 1);
    GetSite()->Show(1010, true);
    SetDlgItemText(1010, std::to_string(++ticks));
    if (ticks == m_nTicksToRun) {
      KillTimer(1);
      EndDialog(IDOK);
    }
  }
  void OnDestroy() override { destroyedWithText = GetDlgItemText(1010); }

  int ticks = 0;
  bool hiddenAtStart = false;
  std::string destroyedWithText;

 private:
  int m_nTicksToRun;
};

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
  void OnCommand(int id, int code) override { commands.emplace_back(id, code); }
  void OnLButtonDown(unsigned, CPoint point) override { clicks.push_back(point); }
  std::vector<std::pair<int, int>> commands;
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

TEST(QtTemplateDialog, TimerTicksReachTheDialogUntilItEndsItself) {
  CQtHost host;
  CTickingDlg dialog(5);
  EXPECT_EQ(host.RunModal(dialog), IDOK);
  EXPECT_EQ(dialog.ticks, 5);
  EXPECT_TRUE(dialog.hiddenAtStart);
  EXPECT_EQ(dialog.destroyedWithText, "5");
  EXPECT_FALSE(dialog.HasWindow());
  // No tick arrives once the window is gone.
  QTest::qWait(40);
  EXPECT_EQ(dialog.ticks, 5);
}

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
  // The two texts come in template order, before and after the button's id.
  std::vector<QString> texts;
  for (const auto& control : site.Controls())
    if (auto* label = qobject_cast<QLabel*>(control.widget)) texts.push_back(label->text());
  EXPECT_EQ(texts, (std::vector<QString>{QStringLiteral("Congratulations -- you got a high score!"),
                                         QStringLiteral("Please enter your name.")}));
}

TEST(QtTemplateDialog, NameIsLimitedToSixteenCharactersAndEnterAccepts) {
  CQtHost host;
  CNameDlg dialog;
  WhenModalShown<QDialog>([](QDialog* window) {
    auto* edit = window->findChild<QLineEdit*>();
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->maxLength(), 16);
    // The first tab stop in template order, the OK button, starts with the focus.
    EXPECT_EQ(window->focusWidget(), window->findChild<QPushButton*>());
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("Bartholomew Smithers"));
    QTest::keyClick(edit, Qt::Key_Return);
  });
  EXPECT_EQ(host.RunModal(dialog), IDOK);
  EXPECT_EQ(dialog.name, "Bartholomew Smit");
}

TEST(QtTemplateDialog, EscapeAndTheCloseRequestCancel) {
  CQtHost host;
  CNameDlg dialog;
  WhenModalShown<QDialog>([](QDialog* window) { QTest::keyClick(window, Qt::Key_Escape); });
  EXPECT_EQ(host.RunModal(dialog), IDCANCEL);
  EXPECT_EQ(dialog.name, "Ann");
  WhenModalShown<QDialog>([](QDialog* window) { window->close(); });
  EXPECT_EQ(host.RunModal(dialog), IDCANCEL);
}

TEST(QtTemplateDialog, ListsButtonsAndClicksReachTheDialog) {
  COptionsProbeDlg dialog;
  CQtTemplateDialog window(*res::FindDialogTemplate(135), dialog, nullptr);
  CControlSite& site = *dialog.GetSite();
  // Filled in the template's order, unsorted, with nothing chosen yet.
  ASSERT_EQ(site.GetCount(1005), 3);
  EXPECT_EQ(site.GetItemText(1005, 0), "Small");
  EXPECT_EQ(site.GetItemText(1005, 2), "Large");
  ASSERT_EQ(site.GetCount(1006), 4);
  EXPECT_EQ(site.GetItemText(1006, 3), "5 Tiles");
  EXPECT_EQ(site.GetCurSel(1005), -1);
  EXPECT_FALSE(site.IsEnabled(1009));

  window.show();
  site.SetCurSel(1005, 1);  // from code: no notification
  EXPECT_TRUE(dialog.commands.empty());
  QTest::keyClick(window.Site().Widget(1005), Qt::Key_Down);  // the player's choice
  EXPECT_EQ(site.GetCurSel(1005), 2);
  QTest::mouseClick(window.Site().Widget(1008), Qt::LeftButton);
  EXPECT_EQ(dialog.commands,
            (std::vector<std::pair<int, int>>{{1005, CBN_SELCHANGE}, {1008, BN_CLICKED}}));

  // A click on a text goes to the dialog, in the dialog's coordinates.
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
