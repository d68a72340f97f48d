// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include "platform/qt/dialogs/open_file_dialog.h"
#include "platform/qt/qt_host.h"
#include "qt_test_support.h"

TEST(QtFileFilter, BarSeparatedListBecomesQtNameFilters) {
  EXPECT_EQ(ToQtNameFilters("Score Files (*.scr)|*.scr|All Files (*.*)|*.*||"),
            QStringLiteral("Score Files (*.scr) (*.scr);;All Files (*.*) (*)"));
  EXPECT_EQ(ToQtNameFilters("A|*.x;*.y|B|*.*||"), QStringLiteral("A (*.x *.y);;B (*)"));
  EXPECT_EQ(ToQtNameFilters("Only|*.scr|"), QStringLiteral("Only (*.scr)"));
  EXPECT_EQ(ToQtNameFilters(""), QString());
}

class QtFileDialog : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_folder.isValid());
    m_previous = QDir::currentPath();
    QDir::setCurrent(m_folder.path());
    QFile file(m_folder.filePath(QStringLiteral("friend.scr")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  }
  void TearDown() override { QDir::setCurrent(m_previous); }

  FileOpenRequest Request() const {
    return {"Merge High Score Files", "Score Files|*.scr|All Files|*.*||", "scr",
            OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST};
  }

  QTemporaryDir m_folder;
  QString m_previous;
};

TEST_F(QtFileDialog, NameTypedWithoutExtensionGetsTheDefaultOne) {
  CQtHost host;
  QString title;
  QStringList filters;
  WhenModalShown<QFileDialog>([&](QFileDialog* dialog) {
    title = dialog->windowTitle();
    filters = dialog->nameFilters();
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(name, nullptr);
    name->setText(QStringLiteral("friend"));
    QTest::keyClick(name, Qt::Key_Return);
  });
  const std::optional<std::string> path = host.GetOpenFileName(Request());
  ASSERT_TRUE(path.has_value());
  EXPECT_TRUE(QString::fromStdString(*path).endsWith(QStringLiteral("/friend.scr"))) << *path;
  EXPECT_EQ(title, QStringLiteral("Merge High Score Files"));
  EXPECT_EQ(filters,
            (QStringList{QStringLiteral("Score Files (*.scr)"), QStringLiteral("All Files (*)")}));
}

TEST_F(QtFileDialog, FilterListShowsTheNamesAsGiven) {
  CQtHost host;
  QStringList shown;
  WhenModalShown<QFileDialog>([&](QFileDialog* dialog) {
    if (auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo")))
      for (int i = 0; i < types->count(); ++i) shown << types->itemText(i);
    dialog->reject();
  });
  FileOpenRequest request = Request();
  request.filter = "Highscore Files (.scr;.scores)|*.scr;*.scores|All Files|*.*||";
  EXPECT_FALSE(host.GetOpenFileName(request).has_value());
  EXPECT_EQ(shown, (QStringList{QStringLiteral("Highscore Files (.scr;.scores)"),
                                QStringLiteral("All Files")}))
      << shown.join(QLatin1Char('|')).toStdString();
}

TEST_F(QtFileDialog, CancelReturnsNothing) {
  CQtHost host;
  WhenModalShown<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
  EXPECT_FALSE(host.GetOpenFileName(Request()).has_value());
}
