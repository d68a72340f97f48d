// The board as a screen reader finds it through the toolkit's accessibility
// interfaces: a table of cells named by colour, the score texts, the keyboard
// cursor as the focused cell, and the new score told after a move.
#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/qpa/qplatformaccessibility.h>
#include <QtGui/qpa/qplatformintegration.h>

#include <QAccessible>
#include <QTest>
#include <string>
#include <vector>

#include "qt_app_fixture.h"
#include "tests/game/karoblen_doc_test_access.h"

namespace {

using Board = CKaroblenDocTestAccess;

struct Told {
  QAccessible::Event type;
  std::string name;
};
std::vector<Told>* g_told = nullptr;

void Record(QAccessibleEvent* event) {
  if (!g_told) return;
  QAccessibleInterface* iface = event->accessibleInterface();
  g_told->push_back({event->type(), iface ? iface->text(QAccessible::Name).toStdString() : ""});
}

// As when a screen reader has asked for the accessible tree: the offscreen
// desktop has no reader to do so, and the toolkit tells nothing until one has.
void SetReaderListening(bool listening) {
  if (QPlatformAccessibility* access =
          QGuiApplicationPrivate::platformIntegration()->accessibility())
    access->setActive(listening);
}

class QtAccessibilityTest : public QtAppFixture {
 protected:
  void SetUp() override {
    QtAppFixture::SetUp();
    g_told = &told;
    m_previousHandler = QAccessible::installUpdateHandler(Record);
    SetReaderListening(true);
    ASSERT_TRUE(QAccessible::isActive());
    // Every kind once along the bottom, a trio of 3s above it, a pair of 0s.
    Board::Lay(Doc(), 0, 5, {"......", "......", "4.....", "333..0", "012340"});
    Window().ViewWidget().DeliverSize();
    Window().ViewWidget().repaint();
    Window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Window()));
    told.clear();
  }
  void TearDown() override {
    SetReaderListening(false);
    QAccessible::installUpdateHandler(m_previousHandler);
    g_told = nullptr;
    QtAppFixture::TearDown();
  }

  QAccessibleInterface* Form() const {
    return QAccessible::queryAccessibleInterface(&Window().ViewWidget());
  }
  QAccessibleInterface* Table() const {
    QAccessibleInterface* form = Form();
    for (int i = 0; form && i < form->childCount(); ++i)
      if (form->child(i)->role() == QAccessible::Table) return form->child(i);
    return nullptr;
  }
  QAccessibleInterface* Cell(int column, int row) const {
    return Table()->tableInterface()->cellAt(row, column);
  }
  static std::string Text(QAccessibleInterface* iface, QAccessible::Text t = QAccessible::Name) {
    return iface ? iface->text(t).toStdString() : "<none>";
  }
  void Key(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }
  bool WasTold(QAccessible::Event type, const std::string& name) const {
    for (const Told& t : told)
      if (t.type == type && t.name == name) return true;
    return false;
  }

  std::vector<Told> told;

 private:
  QAccessible::UpdateHandler m_previousHandler = nullptr;
};

TEST_F(QtAccessibilityTest, BoardIsATableOfCellsNamedByColourWithPlaceAndGroup) {
  QAccessibleInterface* table = Table();
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(Text(table), "Board");
  ASSERT_NE(table->tableInterface(), nullptr);
  EXPECT_EQ(table->tableInterface()->columnCount(), 6);
  EXPECT_EQ(table->tableInterface()->rowCount(), 5);
  EXPECT_EQ(table->childCount(), 30);

  std::vector<std::string> bottomRow;
  bottomRow.reserve(6);
  for (int c = 0; c < 6; ++c) bottomRow.push_back(Text(Cell(c, 4)));
  EXPECT_EQ(bottomRow, (std::vector<std::string>{"Red", "Blue", "Yellow", "Green", "Grey", "Red"}));
  EXPECT_EQ(Text(Cell(3, 0)), "Empty");

  EXPECT_EQ(Text(Cell(1, 3), QAccessible::Description), "Column 2, row 4, group of 3");
  EXPECT_EQ(Text(Cell(0, 4), QAccessible::Description), "Column 1, row 5, group of 1");
  EXPECT_EQ(Text(Cell(3, 0), QAccessible::Description), "Column 4, row 1");

  QAccessibleInterface* cell = Cell(2, 3);
  ASSERT_NE(cell->tableCellInterface(), nullptr);
  EXPECT_EQ(cell->role(), QAccessible::Cell);
  EXPECT_EQ(cell->tableCellInterface()->columnIndex(), 2);
  EXPECT_EQ(cell->tableCellInterface()->rowIndex(), 3);
  EXPECT_EQ(cell->parent(), table);
  EXPECT_EQ(table->indexOfChild(cell), 3 * 6 + 2);
  EXPECT_EQ(table->child(3 * 6 + 2), cell);
  EXPECT_EQ(table->parent(), Form());
  // Screen coordinates find the cell under them.
  EXPECT_EQ(table->childAt(cell->rect().center().x(), cell->rect().center().y()), cell);
}

TEST_F(QtAccessibilityTest, ScoreTextsAreReadableLabels) {
  std::vector<std::string> labels;
  QAccessibleInterface* form = Form();
  for (int i = 0; i < form->childCount(); ++i)
    if (form->child(i)->role() == QAccessible::StaticText) labels.push_back(Text(form->child(i)));
  EXPECT_EQ(labels, (std::vector<std::string>{"Score: 0", "Tiles Left: 11", "Selected Score: 0"}));
}

TEST_F(QtAccessibilityTest, KeyboardCursorIsTheFocusedCell) {
  ASSERT_EQ(QApplication::focusWidget(), &Window().ViewWidget());
  Key(Qt::Key_Up);  // shows the cursor bottom left
  EXPECT_EQ(Form()->focusChild(), Cell(0, 4));
  EXPECT_TRUE(Cell(0, 4)->state().focused);
  Key(Qt::Key_Right);
  EXPECT_EQ(Form()->focusChild(), Cell(1, 4));
  EXPECT_TRUE(Cell(1, 4)->state().focused);
  EXPECT_FALSE(Cell(0, 4)->state().focused);
  EXPECT_TRUE(WasTold(QAccessible::Focus, "Blue"));
  // The highlighted group is the table's selection.
  Key(Qt::Key_Up);
  EXPECT_EQ(Table()->tableInterface()->selectedCellCount(), 3);
  EXPECT_TRUE(Cell(0, 3)->state().selected);
}

TEST_F(QtAccessibilityTest, AMoveTellsTheNewScoreAndTheCellsThatChanged) {
  Key(Qt::Key_Up);
  Key(Qt::Key_Up);  // onto the trio of 3s
  told.clear();
  Key(Qt::Key_Space);
  EXPECT_EQ(Doc().GetScore(), 1);
  EXPECT_TRUE(WasTold(QAccessible::NameChanged, "Score: 1"));
  bool cellsChanged = false;
  for (const Told& t : told) cellsChanged |= t.type == QAccessible::TableModelChanged;
  EXPECT_TRUE(cellsChanged);
  // The Grey tile fell into the cursor's cell, and that is told too.
  EXPECT_EQ(Text(Cell(0, 3)), "Grey");
  EXPECT_TRUE(WasTold(QAccessible::NameChanged, "Grey"));
}

}  // namespace
