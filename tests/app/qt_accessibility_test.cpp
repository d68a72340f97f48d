// SPDX-License-Identifier: GPL-3.0-or-later
// The game as a screen reader finds it through the toolkit's accessibility
// interfaces: a table of cells named by colour, the score texts, the keyboard
// cursor as the focused cell, the new score told after a move, the menus and
// every dialog's fields named, and the high scores as a table.
#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/qpa/qplatformaccessibility.h>
#include <QtGui/qpa/qplatformintegration.h>

#include <QAccessible>
#include <QComboBox>
#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <string>
#include <vector>

#include "platform/dialog.h"
#include "platform/qt/accessibility/menu_item_accessible.h"
#include "platform/qt/dialogs/template_dialog.h"
#include "qt_app_fixture.h"
#include "res/dialog_templates.h"
#include "tests/game/karoblen_doc_test_access.h"

namespace {

using Board = CKaroblenDocTestAccess;

struct Told {
  QAccessible::Event type;
  std::string name;
  QAccessible::Role role;
  QAccessible::Id id;
};
std::vector<Told>* g_told = nullptr;

void Record(QAccessibleEvent* event) {
  if (!g_told) return;
  QAccessibleInterface* iface = event->accessibleInterface();
  g_told->push_back({event->type(), iface ? iface->text(QAccessible::Name).toStdString() : "",
                     iface ? iface->role() : QAccessible::NoRole,
                     iface ? QAccessible::uniqueId(iface) : 0});
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
  EXPECT_EQ(Text(Form()), "Board");
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
  const QAccessible::Id before = QAccessible::uniqueId(Cell(0, 3));
  told.clear();
  Key(Qt::Key_Space);
  EXPECT_EQ(Doc().GetScore(), 1);
  EXPECT_TRUE(WasTold(QAccessible::NameChanged, "Score: 1"));
  bool cellsChanged = false;
  for (const Told& t : told) cellsChanged |= t.type == QAccessible::TableModelChanged;
  EXPECT_TRUE(cellsChanged);
  // The Grey tile fell into the cursor's cell. A screen reader ignores a
  // cell's new name and speaks only a newly focused object, so the cell is
  // told focused as a new object.
  EXPECT_EQ(Text(Cell(0, 3)), "Grey");
  EXPECT_NE(QAccessible::uniqueId(Cell(0, 3)), before);
  EXPECT_TRUE(Cell(0, 3)->state().focused);
  EXPECT_TRUE(WasTold(QAccessible::Focus, "Grey"));
  // The news reaches a reader wherever its focus is: a notification shown.
  QAccessible::Id announced = 0;
  for (const Told& t : told)
    if (t.type == QAccessible::ObjectShow && t.role == QAccessible::Notification &&
        t.name == "Score: 1")
      announced = t.id;
  ASSERT_NE(announced, 0U);
  // An undo puts the trio back under the cursor, and that is heard as well.
  told.clear();
  Action(ID_GAME_UNDO)->trigger();
  Window().ViewWidget().repaint();
  EXPECT_TRUE(WasTold(QAccessible::Focus, "Green"));
  bool undoAnnounced = false;
  for (const Told& t : told)
    undoAnnounced |= t.type == QAccessible::ObjectShow && t.name == "Score: 0";
  EXPECT_TRUE(undoAnnounced);
  // A reader behind on its queue reads the move's news only now, and must
  // still hear the move's score, not the undo's.
  EXPECT_EQ(Text(QAccessible::accessibleInterface(announced)), "Score: 1");
}

// The toolkit tells the widget focused after the widget's own focus-in; the
// cursor's cell must come last, or a screen reader speaks only "Board".
TEST_F(QtAccessibilityTest, TheCursorsCellIsToldLastWhenTheBoardGetsTheFocusBack) {
  Key(Qt::Key_Up);  // shows the cursor bottom left, on Red
  Window().menuBar()->setFocus();
  told.clear();
  Window().ViewWidget().setFocus(Qt::PopupFocusReason);
  QCoreApplication::processEvents();
  std::vector<std::string> focused;
  for (const Told& t : told)
    if (t.type == QAccessible::Focus) focused.push_back(t.name);
  ASSERT_FALSE(focused.empty());
  EXPECT_EQ(focused.back(), "Red");
  EXPECT_EQ(focused.front(), "Board");
}

TEST_F(QtAccessibilityTest, ABoardOfAnotherSizeHasCellsOfThatSize) {
  QAccessibleInterface* table = Table();
  ASSERT_NE(Cell(5, 4), nullptr);
  Board::Lay(Doc(), 1, 3, std::vector<std::string>(7, "0120120120"));
  Window().ViewWidget().repaint();
  ASSERT_EQ(Table(), table);
  EXPECT_EQ(table->childCount(), 70);
  QAccessibleInterface* corner = Cell(9, 6);
  ASSERT_NE(corner, nullptr);
  EXPECT_EQ(Text(corner), "Red");
  EXPECT_EQ(table->indexOfChild(corner), 69);
  EXPECT_EQ(Cell(10, 0), nullptr);
  EXPECT_EQ(table->tableInterface()->columnDescription(9).toStdString(), "Column 10");
}

TEST_F(QtAccessibilityTest, MenuItemsAreNamedByTheirTextAndReportTheirShortcutApart) {
  std::vector<std::string> game;
  for (QMenu* menu : Window().menuBar()->findChildren<QMenu*>()) {
    QAccessibleInterface* items = QAccessible::queryAccessibleInterface(menu);
    for (int i = 0; i < items->childCount(); ++i) {
      QAccessibleInterface* item = items->child(i);
      if (item->role() == QAccessible::Separator) continue;
      EXPECT_FALSE(Text(item).empty());
      EXPECT_EQ(Text(item).find('\t'), std::string::npos) << Text(item);
      if (menu->title() == "&Game")
        game.push_back(Text(item) + "|" + Text(item, QAccessible::Accelerator) + "|" +
                       item->actionInterface()
                           ->keyBindingsForAction(item->actionInterface()->actionNames().value(0))
                           .join(';')
                           .toStdString());
    }
  }
  // The key binding is "mnemonic;path;accelerator", the form a screen
  // reader speaks as the shortcut; Tile Symbols has only its mnemonic.
  EXPECT_EQ(game, (std::vector<std::string>{"Options...|Ctrl+O|;;<Control>o", "Tile Symbols|Alt+S|",
                                            "Restart Board|Alt+R|", "Play Board Number...|Alt+B|",
                                            "Undo Last Move|Ctrl+Z|;;<Control>z", "Hint|H|;;h"}));
  for (const auto& [shortcut, accelerator] : std::vector<std::pair<QKeySequence, std::string>>{
           {QKeySequence("Ctrl+Shift+F2"), "<Control><Shift>F2"},
           {QKeySequence("Alt+Del"), "<Alt>Del"},
           {QKeySequence(), ""}})
    EXPECT_EQ(AcceleratorOf(shortcut).toStdString(), accelerator);
  // Tile Symbols is a command that is on or off.
  Action(ID_GAME_TILESYMBOLS)->trigger();
  EXPECT_TRUE(Action(ID_GAME_TILESYMBOLS)->isChecked());
  EXPECT_TRUE(View().HasTileSymbols());
}

// A dialog built from its template, as the game shows it.
struct OpenDialog {
  explicit OpenDialog(int id) : dialog(id), window(*res::FindDialogTemplate(id), dialog, nullptr) {}
  QAccessibleInterface* Iface() { return QAccessible::queryAccessibleInterface(&window); }
  CDialog dialog;
  CQtTemplateDialog window;
};

// Every object of the tree under `iface`, depth first.
void Walk(QAccessibleInterface* iface, std::vector<QAccessibleInterface*>& all) {
  all.push_back(iface);
  for (int i = 0; i < iface->childCount(); ++i)
    if (QAccessibleInterface* child = iface->child(i)) Walk(child, all);
}

TEST_F(QtAccessibilityTest, EveryDialogAndFieldHasAName) {
  for (const res::DialogTemplate& t : res::DialogTemplates()) {
    if (t.id == IDD_KAROBLEN_FORM) continue;
    SCOPED_TRACE(t.id);
    OpenDialog open(t.id);
    std::vector<QAccessibleInterface*> all;
    Walk(open.Iface(), all);
    for (QAccessibleInterface* iface : all) {
      const QAccessible::Role role = iface->role();
      if (role == QAccessible::Dialog || role == QAccessible::EditableText ||
          role == QAccessible::ComboBox) {
        EXPECT_FALSE(Text(iface).empty()) << role;
      }
    }
  }
  const auto nameOf = [](int dialogId, int controlId) {
    OpenDialog open(dialogId);
    return Text(QAccessible::queryAccessibleInterface(open.window.Site().Widget(controlId)));
  };
  EXPECT_EQ(nameOf(IDD_NAMEENTRY, IDC_NAME), "Please enter your name.");
  EXPECT_EQ(nameOf(IDD_OPTIONS, IDC_BOARDSIZE), "Board Size:");
  EXPECT_EQ(nameOf(IDD_OPTIONS, IDC_TILEKINDS), "Number of Tiles:");
  EXPECT_EQ(nameOf(IDD_OPTIONS, IDC_TILESET), "Tile Set:");
  OpenDialog options(IDD_OPTIONS);
  auto* boardSize =
      QAccessible::queryAccessibleInterface(options.window.Site().Widget(IDC_BOARDSIZE));
  options.window.Site().SetCurSel(IDC_BOARDSIZE, 1);
  EXPECT_EQ(Text(boardSize, QAccessible::Value), "Medium");
  OpenDialog tally(IDD_GAMEOVER);
  EXPECT_EQ(Text(tally.Iface()), "Game Over");
}

// A drop-down tells its value as its text and as its selected item, and
// each change under the keyboard as that item focused; labels and fields
// name each other.
TEST_F(QtAccessibilityTest, OptionsTellTheChosenValueAndItsChanges) {
  OpenDialog options(IDD_OPTIONS);
  CQtControlSite& site = options.window.Site();
  site.SetCurSel(IDC_BOARDSIZE, 1);
  QWidget* combo = site.Widget(IDC_BOARDSIZE);
  QAccessibleInterface* boardSize = QAccessible::queryAccessibleInterface(combo);
  ASSERT_NE(boardSize->textInterface(), nullptr);
  EXPECT_EQ(boardSize->textInterface()->text(0, -1).toStdString(), "Medium");
  EXPECT_EQ(boardSize->textInterface()->characterCount(), 6);
  EXPECT_TRUE(boardSize->state().expandable);
  ASSERT_EQ(boardSize->childCount(), 3);
  std::vector<std::string> items;
  for (int i = 0; i < 3; ++i) {
    QAccessibleInterface* item = boardSize->child(i);
    items.push_back(Text(item) + (item->state().selected ? "*" : ""));
    EXPECT_EQ(item->parent(), boardSize);
    EXPECT_EQ(boardSize->indexOfChild(item), i);
  }
  EXPECT_EQ(items, (std::vector<std::string>{"Small", "Medium*", "Large"}));

  const auto labels = boardSize->relations(QAccessible::Label);
  ASSERT_EQ(labels.size(), 1);
  EXPECT_EQ(Text(labels.front().first), "Board Size:");
  const auto fields = labels.front().first->relations(QAccessible::Labelled);
  ASSERT_EQ(fields.size(), 1);
  EXPECT_EQ(fields.front().first, boardSize);

  options.window.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&options.window));
  combo->setFocus();
  told.clear();
  QTest::keyClick(combo, Qt::Key_Down);
  EXPECT_TRUE(WasTold(QAccessible::Focus, "Large"));
  EXPECT_TRUE(boardSize->child(2)->state().focused);
  // A change the program makes while the player is elsewhere is not news.
  site.Widget(IDC_TILEKINDS)->setFocus();
  told.clear();
  site.SetCurSel(IDC_BOARDSIZE, 0);
  EXPECT_FALSE(WasTold(QAccessible::Focus, "Small"));

  // The "..." button keeps its text and is named for what it is.
  QWidget* browse = site.Widget(IDC_TILESET_BROWSE);
  EXPECT_EQ(Text(QAccessible::queryAccessibleInterface(browse)), "Choose Tile Set");
  EXPECT_EQ(site.GetText(IDC_TILESET_BROWSE), "...");
  // Tab into the read-only field tells no selection or caret before the
  // toolkit tells the focus.
  told.clear();
  site.Widget(IDC_TILESET)->setFocus(Qt::TabFocusReason);
  for (const Told& t : told) {
    EXPECT_NE(t.type, QAccessible::TextSelectionChanged);
    EXPECT_NE(t.type, QAccessible::TextCaretMoved);
  }
  EXPECT_TRUE(WasTold(QAccessible::Focus, "Tile Set:"));
}

TEST_F(QtAccessibilityTest, HighScoresTakeTheFocusAndAreReadRowByRow) {
  OpenDialog open(IDD_HIGHSCORES);
  CQtControlSite& site = open.window.Site();
  site.SetText(IDC_HIGHSCORE_NAME(1), "ALICE           ");
  site.SetText(IDC_HIGHSCORE_SCORE(1), "120");
  site.SetText(IDC_HIGHSCORE_NAME(2), "BOB             ");
  site.SetText(IDC_HIGHSCORE_SCORE(2), "80");
  QAccessibleInterface* table = open.Iface()->child(0);
  ASSERT_NE(table->tableInterface(), nullptr);
  auto* focus = qobject_cast<QWidget*>(table->object());
  ASSERT_NE(focus, nullptr);
  EXPECT_EQ(QAccessible::queryAccessibleInterface(focus), table);
  EXPECT_TRUE(table->state().focusable);
  // Each cell knows its column's heading.
  QAccessibleInterface* cell = table->tableInterface()->cellAt(0, 1);
  const auto headers = cell->tableCellInterface()->columnHeaderCells();
  ASSERT_EQ(headers.size(), 1);
  EXPECT_EQ(Text(headers.front()), "Name");
  EXPECT_EQ(headers.front()->role(), QAccessible::ColumnHeader);

  // The continue button keeps the first focus; Tab reaches the table.
  open.window.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&open.window));
  site.Widget(IDC_HIGHSCORE_CONTINUE)->setFocus();
  told.clear();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), focus);
  QCoreApplication::processEvents();
  EXPECT_TRUE(table->state().focused);
  EXPECT_TRUE(WasTold(QAccessible::Focus, "1."));
  told.clear();
  QTest::keyClick(focus, Qt::Key_Down);
  EXPECT_TRUE(WasTold(QAccessible::Focus, "2."));
  QTest::keyClick(focus, Qt::Key_End);
  QTest::keyClick(focus, Qt::Key_Down);  // stays on the last row
  EXPECT_TRUE(WasTold(QAccessible::Focus, "10."));
  told.clear();
  QTest::keyClick(focus, Qt::Key_Home);
  EXPECT_TRUE(WasTold(QAccessible::Focus, "1."));
  EXPECT_EQ(Text(table->tableInterface()->cellAt(1, 1)), "BOB");
  // The dialog's code names the row to start on by one of its texts.
  site.Widget(IDC_HIGHSCORE_CONTINUE)->setFocus();
  site.SetCurrentRow(IDC_HIGHSCORE_SCORE(2));
  told.clear();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  QCoreApplication::processEvents();
  EXPECT_TRUE(WasTold(QAccessible::Focus, "2."));
  EXPECT_FALSE(WasTold(QAccessible::Focus, "1."));
}

TEST_F(QtAccessibilityTest, HighScoresReadAsATableWithEmptyRowsEmpty) {
  OpenDialog open(IDD_HIGHSCORES);
  CQtControlSite& site = open.window.Site();
  site.SetText(IDC_HIGHSCORE_NAME(1), "ALICE           ");
  site.SetText(IDC_HIGHSCORE_SCORE(1), "120");
  site.SetText(IDC_HIGHSCORE_NAME(2), std::string(16, ' '));
  site.SetText(IDC_HIGHSCORE_SCORE(2), "0");
  QAccessibleInterface* dialog = open.Iface();
  QAccessibleInterface* table = dialog->child(0);
  ASSERT_NE(table, nullptr);
  ASSERT_NE(table->tableInterface(), nullptr);
  EXPECT_EQ(Text(table), "High Scores");
  QAccessibleTableInterface* rows = table->tableInterface();
  EXPECT_EQ(rows->rowCount(), 10);
  EXPECT_EQ(rows->columnCount(), 3);
  EXPECT_EQ(rows->columnDescription(1).toStdString(), "Name");
  const auto row = [rows](int r) {
    return Text(rows->cellAt(r, 0)) + "|" + Text(rows->cellAt(r, 1)) + "|" +
           Text(rows->cellAt(r, 2));
  };
  EXPECT_EQ(row(0), "1.|ALICE|120");
  EXPECT_EQ(row(1), "2.||");
  EXPECT_EQ(rows->cellAt(9, 2)->tableCellInterface()->rowIndex(), 9);
  EXPECT_EQ(table->indexOfChild(rows->cellAt(9, 2)), 29);
  // The texts of the table are no longer loose children of the dialog; the
  // title, the button, the own score and the board's number are.
  EXPECT_EQ(dialog->childCount(), 5);
  EXPECT_EQ(dialog->indexOfChild(table), 0);
}

}  // namespace
