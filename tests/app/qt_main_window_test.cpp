// SPDX-License-Identifier: GPL-3.0-or-later
// The main window as the player sees it: caption, size limits, the Undo
// command's state in menu and toolbar, status-bar prompts and tooltips.
#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QTest>
#include <QTextBlock>
#include <QTimer>
#include <QToolBar>
#include <vector>

#include "board_snapshot.h"
#include "game/high_score_keeper.h"
#include "platform/qt/window/status_panes.h"
#include "qt_app_fixture.h"
#include "res/resource_ids.h"
#include "tests/game/karoblen_doc_test_access.h"

namespace {

using QtMainWindowTest = QtAppFixture;

TEST_F(QtMainWindowTest, CaptionIsTheProgramNameBeforeAndAfterNewGames) {
  EXPECT_EQ(Window().windowTitle().toStdString(), "Karoblen");
  EXPECT_TRUE(Window().isVisible());
  app.OnFileNew();
  app.OnFileNew();
  EXPECT_EQ(Window().windowTitle().toStdString(), "Karoblen");
}

TEST_F(QtMainWindowTest, CannotBeMadeSmallerThan640x440ButCanBeMaximised) {
  Window().resize(300, 200);
  QApplication::processEvents();
  EXPECT_EQ(Window().frameGeometry().width(), 640);
  EXPECT_EQ(Window().frameGeometry().height(), 440);
  EXPECT_TRUE(Window().windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_EQ(Window().maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
}

TEST_F(QtMainWindowTest, ThePointerLeavingTheBoardTakesItsHighlightAlong) {
  const auto [column, row] = FindRemovableCell(Doc());
  ASSERT_GE(column, 0);
  QWidget& board = Window().ViewWidget();
  QTest::mouseMove(&board, CellCentre(column, row));
  ASSERT_TRUE(Doc().HasSelection());
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(&board, &leave);
  EXPECT_FALSE(Doc().HasSelection());
  EXPECT_EQ(View().GetDlgItemText(IDC_SELECTSCORE), "Select Score: 0");
}

TEST_F(QtMainWindowTest, TileSymbolsAreACheckableCommandWithPromptAndTooltip) {
  QAction* symbols = Action(ID_GAME_TILESYMBOLS);
  ASSERT_NE(symbols, nullptr);
  EXPECT_TRUE(symbols->isCheckable());
  EXPECT_FALSE(symbols->isChecked());
  EXPECT_EQ(symbols->toolTip().toStdString(), "Tile Symbols");
  EXPECT_FALSE(symbols->statusTip().isEmpty());
  // Only the board: a paint without erasing leaves the rest to the screen.
  const auto board = [this] {
    return GrabView().copy(View().GetOriginX(), View().GetOriginY(), 40 * Doc().GetWidth(),
                           40 * Doc().GetHeight());
  };
  const QImage plain = board();
  symbols->trigger();
  EXPECT_TRUE(symbols->isChecked());
  EXPECT_NE(board(), plain);
  symbols->trigger();
  EXPECT_FALSE(symbols->isChecked());
  EXPECT_EQ(board(), plain);
}

TEST_F(QtMainWindowTest, UndoIsGreyedInMenuAndToolbarExactlyWhileNothingCanBeUndone) {
  QWidget* button = ToolButton(ID_GAME_UNDO);
  ASSERT_NE(button, nullptr);
  EXPECT_FALSE(Action(ID_GAME_UNDO)->isEnabled());
  EXPECT_FALSE(button->isEnabled());

  const auto [column, row] = FindRemovableCell(Doc());
  ASSERT_GE(column, 0);
  QTest::mouseClick(&Window().ViewWidget(), Qt::LeftButton, {}, CellCentre(column, row));
  EXPECT_TRUE(Doc().CanUndo());
  EXPECT_TRUE(Action(ID_GAME_UNDO)->isEnabled());
  EXPECT_TRUE(button->isEnabled());

  Action(ID_GAME_UNDO)->trigger();
  EXPECT_FALSE(Doc().CanUndo());
  EXPECT_FALSE(Action(ID_GAME_UNDO)->isEnabled());
  EXPECT_FALSE(button->isEnabled());

  // However the game changes (a key, an assistive tool, a dialog), the
  // states are right by the time the window waits for the player again.
  const auto [otherColumn, otherRow] = FindRemovableCell(Doc());
  ASSERT_TRUE(Doc().RemoveGroupAt(otherColumn, otherRow));
  RunUntilIdle();
  EXPECT_TRUE(Action(ID_GAME_UNDO)->isEnabled());
  EXPECT_TRUE(button->isEnabled());
  Doc().RestoreUndo();
  RunUntilIdle();
  EXPECT_FALSE(Action(ID_GAME_UNDO)->isEnabled());
}

using Board = CKaroblenDocTestAccess;

TEST_F(QtMainWindowTest, TheBoardHasTheKeysFromTheStartAndTheMenusKeepTheirs) {
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Window()));
  ASSERT_EQ(QApplication::focusWidget(), &Window().ViewWidget());
  Board::Lay(Doc(), 0, 3, {"......", "......", "......", "0.....", "011211"});
  Window().ViewWidget().DeliverSize();

  QTest::keyClick(static_cast<QWidget*>(nullptr),
                  Qt::Key_Up);  // shows the cursor on the bottom-left 0
  QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Return);
  EXPECT_EQ(Board::Board(Doc()), (Board::Rows{"......", "......", "......", "......", "11211."}));
  EXPECT_TRUE(Action(ID_GAME_UNDO)->isEnabled());

  QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Doc().GetTilesLeft(), 7);
  EXPECT_FALSE(Action(ID_GAME_UNDO)->isEnabled());

  QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_F, Qt::AltModifier);
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  ASSERT_NE(menu, nullptr);
  EXPECT_TRUE(menu->actions().contains(Action(ID_FILE_NEW)));
  menu->close();
}

TEST_F(QtMainWindowTest, ADoubleClickIsOneMove) {
  // Removing the 0s drops a 1 onto a 1 under the pointer; the 2s on the
  // right keep the game going whatever happens.
  Board::Lay(Doc(), 0, 3, {"......", "......", "1.....", "00....", "121.22"});
  Window().ViewWidget().DeliverSize();
  const BoardSnapshot start = Snapshot(Doc());
  QWidget* board = &Window().ViewWidget();
  const QPoint at = CellCentre(0, 3);
  // What the toolkit delivers for a double-click: press, release, the second
  // press as a double-click, release.
  QTest::mousePress(board, Qt::LeftButton, {}, at);
  QTest::mouseRelease(board, Qt::LeftButton, {}, at);
  QTest::mouseDClick(board, Qt::LeftButton, {}, at);
  QTest::mouseRelease(board, Qt::LeftButton, {}, at);
  QApplication::processEvents();
  EXPECT_EQ(Board::Board(Doc()), (Board::Rows{"......", "......", "......", "1.....", "12122."}));
  Action(ID_GAME_UNDO)->trigger();
  EXPECT_EQ(Snapshot(Doc()), start);
}

// Counts what reaches the high scores, and shows nothing.
class CCountingHighScores : public CHighScoreKeeper {
 public:
  void SetBoard(int, int) override {}
  void SubmitScore(int) override { ++submits; }
  int DoModal() override {
    ++shows;
    return 1;
  }
  void MergeFrom(std::string) override {}
  int submits = 0;
  int shows = 0;
};

TEST_F(QtMainWindowTest, InputPostedDuringTheLastMoveAndTheTallyEndsTheGameOnlyOnce) {
  CCountingHighScores highScores;
  Doc().AttachHighScores(&highScores);
  Board::Lay(Doc(), 0, 3, {"......", "......", "......", "......", "00...."});
  Window().ViewWidget().DeliverSize();
  QWidget* board = &Window().ViewWidget();
  const QPointF stray = CellCentre(0, 4);
  const auto postInput = [board, stray] {
    QCoreApplication::postEvent(
        board, new QMouseEvent(QEvent::MouseButtonPress, stray, board->mapToGlobal(stray),
                               Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
    QCoreApplication::postEvent(
        board, new QMouseEvent(QEvent::MouseButtonRelease, stray, board->mapToGlobal(stray),
                               Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
    QCoreApplication::postEvent(board,
                                new QKeyEvent(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier));
  };
  // Into the move's pause, then into the tally, which is then cut short.
  QTimer intoThePause;
  intoThePause.setSingleShot(true);
  QObject::connect(&intoThePause, &QTimer::timeout, board, postInput);
  intoThePause.start(30);
  int tallies = 0;
  QWidget* seen = nullptr;
  QElapsedTimer shown;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) return;
    if (modal != seen) {
      seen = modal;
      shown.start();
      if (++tallies == 1) postInput();
    } else if (shown.elapsed() > 300) {
      modal->close();
    }
  });
  watch.start(20);
  QTest::mouseClick(board, Qt::LeftButton, {}, CellCentre(1, 4));
  for (int i = 0; i < 20; ++i) QTest::qWait(10);
  watch.stop();

  EXPECT_EQ(tallies, 1);
  EXPECT_EQ(highScores.submits, 1);
  EXPECT_EQ(highScores.shows, 1);
  EXPECT_EQ(Doc().GetTilesLeft(), 30);
}

TEST_F(QtMainWindowTest, ToolbarHoldsNewGameUndoAndAboutWithTheirTooltips) {
  std::vector<int> commands;
  for (QAction* action : Window().ToolBar()->actions())
    commands.push_back(action->isSeparator() ? 0 : Window().Commands().CommandOf(action));
  EXPECT_EQ(commands, (std::vector<int>{57600, 0, 32773, 0, 57664}));

  EXPECT_EQ(ToolButton(ID_FILE_NEW)->toolTip().toStdString(), "New Game");
  EXPECT_EQ(ToolButton(ID_GAME_UNDO)->toolTip().toStdString(), "Undo Last Move");
  EXPECT_EQ(ToolButton(ID_APP_ABOUT)->toolTip().toStdString(), "About");
}

TEST_F(QtMainWindowTest, RightClickOnTheBarsOffersNoMenuToHideThem) {
  for (QWidget* bar :
       {static_cast<QWidget*>(Window().menuBar()), static_cast<QWidget*>(Window().ToolBar())}) {
    const QPoint at(bar->width() - 5, bar->height() / 2);
    QContextMenuEvent click(QContextMenuEvent::Mouse, at, bar->mapToGlobal(at));
    QApplication::sendEvent(bar, &click);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
  }
  EXPECT_TRUE(Window().ToolBar()->isVisible());
}

class QtStatusBarTest : public QtAppFixture {
 protected:
  std::string Message() const { return Window().StatusPanes()->Message().toStdString(); }

  // Highlights a menu item the way the pointer does, in its open menu.
  std::string PromptWhileHighlighting(int command) {
    QAction* action = Action(command);
    QMenu* menu = nullptr;
    for (QMenu* candidate : Window().menuBar()->findChildren<QMenu*>())
      if (candidate->actions().contains(action)) menu = candidate;
    if (!menu) return "<no menu>";
    menu->popup(Window().mapToGlobal(QPoint(10, 10)));
    QApplication::processEvents();
    menu->setActiveAction(action);
    QApplication::processEvents();
    std::string prompt = Message();
    menu->hide();
    QApplication::processEvents();
    return prompt;
  }

  // Moves the pointer onto a toolbar button and off it again.
  std::string PromptWhileOverButton(int command) {
    QWidget* button = ToolButton(command);
    const QPointF centre = QPointF(button->rect().center());
    QEnterEvent enter(centre, centre, QPointF(button->mapToGlobal(centre)));
    QApplication::sendEvent(button, &enter);
    std::string prompt = Message();
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(button, &leave);
    return prompt;
  }
};

TEST_F(QtStatusBarTest, ReadyWhenIdle) { EXPECT_EQ(Message(), "Ready"); }

TEST_F(QtStatusBarTest, EtchedUpperEdgeAndReadyAtTheDesktopsInnerMargin) {
  QStatusBar* bar = Window().statusBar();
  const QImage image = bar->grab().toImage();
  const auto colourAt = [&image](int x, int y) {
    return QColor(image.pixel(x, y)).name().toStdString();
  };
  const auto colourOf = [bar](QPalette::ColorRole role) {
    return bar->palette().color(role).name().toStdString();
  };
  for (int x : {0, bar->width() / 2, bar->width() - 1}) {
    EXPECT_EQ(colourAt(x, 0), colourOf(QPalette::Dark)) << x;
    EXPECT_EQ(colourAt(x, 1), colourOf(QPalette::Light)) << x;
  }
  const QLabel* ready = nullptr;
  for (const QLabel* label : bar->findChildren<QLabel*>())
    if (label->text() == QStringLiteral("Ready")) ready = label;
  ASSERT_NE(ready, nullptr);
  const int margin = bar->style()->pixelMetric(QStyle::PM_LayoutLeftMargin, nullptr, bar);
  EXPECT_GT(margin, 2);
  EXPECT_EQ(ready->mapTo(&Window(), QPoint()).x(), margin);
  EXPECT_GE(ready->y(), 2);
}

TEST_F(QtStatusBarTest, MenuItemsShowTheirPromptAndReadyComesBack) {
  EXPECT_EQ(PromptWhileHighlighting(ID_FILE_NEW), "Start a new game");
  EXPECT_EQ(PromptWhileHighlighting(ID_FILE_HIGHSCORES), "View high scores for current board");
  EXPECT_EQ(PromptWhileHighlighting(ID_APP_EXIT), "Exit Karoblen");
  EXPECT_EQ(PromptWhileHighlighting(ID_GAME_OPTIONS), "Edit game settings");
  EXPECT_EQ(PromptWhileHighlighting(ID_APP_ABOUT), "About Karoblen");
  EXPECT_EQ(Message(), "Ready");
}

TEST_F(QtStatusBarTest, MergeHasNoPromptSoThePaneIsEmpty) {
  EXPECT_EQ(PromptWhileHighlighting(ID_FILE_MERGESCORES), "");
  EXPECT_EQ(Message(), "Ready");
}

TEST_F(QtStatusBarTest, GreyedUndoShowsItsPromptUnderThePointer) {
  QAction* undo = Action(ID_GAME_UNDO);
  ASSERT_FALSE(undo->isEnabled());
  QMenu* menu = nullptr;
  for (QMenu* candidate : Window().menuBar()->findChildren<QMenu*>())
    if (candidate->actions().contains(undo)) menu = candidate;
  ASSERT_NE(menu, nullptr);
  menu->popup(Window().mapToGlobal(QPoint(10, 10)));
  QApplication::processEvents();
  QTest::mouseMove(menu, menu->actionGeometry(undo).center());
  QApplication::processEvents();
  EXPECT_EQ(Message(), "Undo the last move");
  menu->hide();
  QApplication::processEvents();
  EXPECT_EQ(Message(), "Ready");
}

TEST_F(QtStatusBarTest, ToolbarButtonsShowTheirPrompt) {
  EXPECT_EQ(PromptWhileOverButton(ID_FILE_NEW), "Start a new game");
  EXPECT_EQ(PromptWhileOverButton(ID_GAME_UNDO), "Undo the last move");
  EXPECT_EQ(PromptWhileOverButton(ID_APP_ABOUT), "About Karoblen");
  EXPECT_EQ(Message(), "Ready");
}

TEST_F(QtStatusBarTest, TheBoardsNumberHasAPaneOfItsOwnAfterTheKeyLocks) {
  RunUntilIdle();
  const QString first = QStringLiteral("Board %1").arg(Doc().GetBoardNumber());
  QLabel* board = nullptr;
  for (QLabel* label : Window().statusBar()->findChildren<QLabel*>())
    if (label->text() == first) board = label;
  ASSERT_NE(board, nullptr);
  // Rightmost: the key-lock panes keep their places.
  for (QLabel* label : Window().statusBar()->findChildren<QLabel*>()) {
    if (label != board) {
      EXPECT_LT(label->x(), board->x());
    }
  }
  // A new number shows once the loop is about to wait.
  View().PlayBoard(2147483647);
  RunUntilIdle();
  EXPECT_EQ(Window().StatusPanes()->PaneText(ID_INDICATOR_BOARD).toStdString(), "Board 2147483647");
  EXPECT_GE(board->minimumWidth(), board->fontMetrics().horizontalAdvance(board->text()));
  // However long a message, the panes stay in the window, which keeps its size.
  const QSize size = Window().size();
  Window().StatusPanes()->ShowMessage(QString(200, 'W'));
  RunUntilIdle();
  EXPECT_EQ(Window().size(), size);
  EXPECT_LE(board->geometry().right(), Window().statusBar()->width());
  EXPECT_GT(Window().statusBar()->minimumSizeHint().width(), 0);
  EXPECT_LE(Window().statusBar()->minimumSizeHint().width(), size.width());
}

// H on the board: the search runs on a thread of its own and its answer
// comes back through the event loop to the status bar and the cursor. F1
// opens How to Play, whose text scrolls, and Escape closes it.
TEST_F(QtStatusBarTest, HHintsFromAThreadAndF1OpensHowToPlayWhichEscapeCloses) {
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Window()));
  Board::Lay(Doc(), 0, 3, {"......", "......", ".0.2..", "2020..", "1121.."});
  Window().ViewWidget().DeliverSize();
  QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_H);
  // So small a board may be searched before the key's handling is over, so
  // the status bar shows either the search or already its answer.
  if (View().IsLookingForHint()) {
    EXPECT_EQ(Message(), "Looking for the best move...");
  }
  for (int i = 0; i < 200 && View().IsLookingForHint(); ++i) QTest::qWait(10);
  EXPECT_FALSE(View().IsLookingForHint());
  EXPECT_EQ(Message(), "This board can be cleared.");
  EXPECT_TRUE(View().IsCursorShown());
  EXPECT_EQ(View().GetCursor(), (BoardCell{2, 4}));

  std::string title;
  std::string firstLine;
  bool bReadOnly = false;
  QTimer escape;
  QObject::connect(&escape, &QTimer::timeout, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) return;
    title = modal->windowTitle().toStdString();
    if (auto* text = modal->findChild<QPlainTextEdit*>()) {
      bReadOnly = text->isReadOnly();
      firstLine = text->document()->firstBlock().text().toStdString();
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
  });
  escape.start(20);
  QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_F1);
  escape.stop();
  EXPECT_EQ(title, "How to Play");
  EXPECT_EQ(firstLine, "The goal");
  EXPECT_TRUE(bReadOnly);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
