#include "platform/qt/accessibility/accessible_board.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
#include <QWindow>
#include <map>
#include <memory>
#include <utility>

#include "platform/qt/common/qt_text.h"

// The toolkit's accessibility cache owns every interface registered with it,
// which the analyzer cannot see through the toolkit's headers.
// NOLINTBEGIN(clang-analyzer-cplusplus.NewDeleteLeaks)
namespace {

// Hands a new interface to the toolkit's accessibility cache, which owns it
// from then on; deleteAccessibleInterface with the id deletes it.
template <typename Interface, typename... Args>
Interface* Register(QAccessible::Id& id, Args&&... args) {
  auto owned = std::make_unique<Interface>(std::forward<Args>(args)...);
  Interface* iface = owned.get();
  id = QAccessible::registerAccessibleInterface(owned.release());
  return iface;
}

QRect ToScreen(const QWidget& widget, const CRect& rect) {
  return {widget.mapToGlobal(QPoint(rect.left, rect.top)), QSize(rect.Width(), rect.Height())};
}

class CBoardTableAccessible;

// One cell; valid while the board is at least this large.
class CBoardCellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
 public:
  CBoardCellAccessible(QWidget& widget, const CAccessibleBoard& board, QAccessibleInterface& table,
                       int column, int row)
      : m_widget(&widget), m_board(board), m_table(table), m_nColumn(column), m_nRow(row) {}

  bool isValid() const override {
    return m_widget && m_nColumn < m_board.GetBoardColumns() && m_nRow < m_board.GetBoardRows();
  }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return m_table.window(); }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessibleInterface* parent() const override { return &m_table; }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QString text(QAccessible::Text t) const override {
    if (!isValid()) return {};
    if (t == QAccessible::Name) return ToQString(m_board.GetCellName(m_nColumn, m_nRow));
    if (t == QAccessible::Description)
      return ToQString(m_board.GetCellDescription(m_nColumn, m_nRow));
    return {};
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override {
    return isValid() ? ToScreen(*m_widget, m_board.GetCellRect(m_nColumn, m_nRow)) : QRect();
  }
  QAccessible::Role role() const override { return QAccessible::Cell; }
  QAccessible::State state() const override {
    QAccessible::State state;
    if (!isValid()) {
      state.invalid = true;
      return state;
    }
    state.focusable = true;
    state.selectable = true;
    state.selected = isSelected();
    state.focused = IsCursor() && m_widget->hasFocus();
    return state;
  }
  void* interface_cast(QAccessible::InterfaceType type) override {
    return type == QAccessible::TableCellInterface
               ? static_cast<QAccessibleTableCellInterface*>(this)
               : nullptr;
  }

  // The highlighted group is the selection.
  bool isSelected() const override {
    return isValid() && m_board.IsCellHighlighted(m_nColumn, m_nRow);
  }
  QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
  QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
  int columnIndex() const override { return m_nColumn; }
  int rowIndex() const override { return m_nRow; }
  int columnExtent() const override { return 1; }
  int rowExtent() const override { return 1; }
  QAccessibleInterface* table() const override { return &m_table; }

 private:
  bool IsCursor() const { return m_board.GetCursorCell() == CPoint{m_nColumn, m_nRow}; }

  QPointer<QWidget> m_widget;
  const CAccessibleBoard& m_board;
  QAccessibleInterface& m_table;
  int m_nColumn;
  int m_nRow;
};

// The board, a child of the form view's widget; it owns its cells'
// interfaces, which are made when first asked for.
class CBoardTableAccessible : public QAccessibleInterface, public QAccessibleTableInterface {
 public:
  CBoardTableAccessible(QWidget& widget, const CAccessibleBoard& board)
      : m_widget(&widget), m_board(board) {}
  ~CBoardTableAccessible() override { ForgetCells(); }
  CBoardTableAccessible(const CBoardTableAccessible&) = delete;
  CBoardTableAccessible& operator=(const CBoardTableAccessible&) = delete;

  QAccessibleInterface* Cell(int column, int row) const {
    if (column < 0 || row < 0 || column >= columnCount() || row >= rowCount()) return nullptr;
    const int key = column * 1000 + row;
    if (const auto it = m_cellIds.find(key); it != m_cellIds.end())
      return QAccessible::accessibleInterface(it->second);
    auto* table = const_cast<CBoardTableAccessible*>(this);
    return Register<CBoardCellAccessible>(m_cellIds[key], *m_widget, m_board, *table, column, row);
  }
  // The board changed size: every cell is made afresh when next asked for.
  void ForgetCells() {
    for (const auto& [key, id] : m_cellIds) QAccessible::deleteAccessibleInterface(id);
    m_cellIds.clear();
  }

  bool isValid() const override { return !m_widget.isNull(); }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override {
    return m_widget ? m_widget->window()->windowHandle() : nullptr;
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    for (int c = 0; c < columnCount(); ++c)
      for (int r = 0; r < rowCount(); ++r)
        if (ToScreen(*m_widget, m_board.GetCellRect(c, r)).contains(x, y)) return Cell(c, r);
    return nullptr;
  }
  QAccessibleInterface* parent() const override {
    return m_widget ? QAccessible::queryAccessibleInterface(m_widget) : nullptr;
  }
  QAccessibleInterface* child(int index) const override {
    const int columns = columnCount();
    if (columns == 0 || index < 0) return nullptr;
    return Cell(index % columns, index / columns);
  }
  int childCount() const override { return columnCount() * rowCount(); }
  int indexOfChild(const QAccessibleInterface* child) const override {
    const auto* cell = dynamic_cast<const CBoardCellAccessible*>(child);
    if (!cell || cell->table() != this || !cell->isValid()) return -1;
    return cell->rowIndex() * columnCount() + cell->columnIndex();
  }
  QString text(QAccessible::Text t) const override {
    return t == QAccessible::Name && m_widget ? ToQString(m_board.GetBoardName()) : QString();
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override {
    if (!m_widget || childCount() == 0) return {};
    const CRect first = m_board.GetCellRect(0, 0);
    const CRect last = m_board.GetCellRect(columnCount() - 1, rowCount() - 1);
    return ToScreen(*m_widget, {first.left, first.top, last.right, last.bottom});
  }
  QAccessible::Role role() const override { return QAccessible::Table; }
  QAccessible::State state() const override {
    QAccessible::State state;
    state.invalid = !isValid();
    state.focusable = true;
    state.focused = m_widget && m_widget->hasFocus() && m_board.GetCursorCell().x < 0;
    return state;
  }
  void* interface_cast(QAccessible::InterfaceType type) override {
    return type == QAccessible::TableInterface ? static_cast<QAccessibleTableInterface*>(this)
                                               : nullptr;
  }

  QAccessibleInterface* caption() const override { return nullptr; }
  QAccessibleInterface* summary() const override { return nullptr; }
  QAccessibleInterface* cellAt(int row, int column) const override { return Cell(column, row); }
  int selectedCellCount() const override { return static_cast<int>(selectedCells().size()); }
  QList<QAccessibleInterface*> selectedCells() const override {
    QList<QAccessibleInterface*> cells;
    for (int r = 0; r < rowCount(); ++r)
      for (int c = 0; c < columnCount(); ++c)
        if (m_board.IsCellHighlighted(c, r)) cells.append(Cell(c, r));
    return cells;
  }
  QString columnDescription(int column) const override {
    return QStringLiteral("Column %1").arg(column + 1);
  }
  QString rowDescription(int row) const override { return QStringLiteral("Row %1").arg(row + 1); }
  // A highlight is a group, never a whole row or column.
  int selectedColumnCount() const override { return 0; }
  int selectedRowCount() const override { return 0; }
  int columnCount() const override { return m_widget ? m_board.GetBoardColumns() : 0; }
  int rowCount() const override { return m_widget ? m_board.GetBoardRows() : 0; }
  QList<int> selectedColumns() const override { return {}; }
  QList<int> selectedRows() const override { return {}; }
  bool isColumnSelected(int) const override { return false; }
  bool isRowSelected(int) const override { return false; }
  // Selecting is playing; a screen reader does not play for the player.
  bool selectRow(int) override { return false; }
  bool selectColumn(int) override { return false; }
  bool unselectRow(int) override { return false; }
  bool unselectColumn(int) override { return false; }
  void modelChange(QAccessibleTableModelChangeEvent* event) override {
    if (event->modelChangeType() == QAccessibleTableModelChangeEvent::ModelReset) ForgetCells();
  }

 private:
  QPointer<QWidget> m_widget;
  const CAccessibleBoard& m_board;
  mutable std::map<int, QAccessible::Id> m_cellIds;
};

// The form view's widget: the board's table first, then the texts.
class CFormAccessible : public QAccessibleWidget {
 public:
  CFormAccessible(QWidget* widget, const CAccessibleBoard& board)
      : QAccessibleWidget(widget), m_board(board) {}
  ~CFormAccessible() override {
    if (m_tableId) QAccessible::deleteAccessibleInterface(m_tableId);
  }
  CFormAccessible(const CFormAccessible&) = delete;
  CFormAccessible& operator=(const CFormAccessible&) = delete;

  CBoardTableAccessible* Table() const {
    if (m_tableId)
      return static_cast<CBoardTableAccessible*>(QAccessible::accessibleInterface(m_tableId));
    return Register<CBoardTableAccessible>(m_tableId, *widget(), m_board);
  }

  int childCount() const override { return QAccessibleWidget::childCount() + 1; }
  QAccessibleInterface* child(int index) const override {
    return index == 0 ? Table() : QAccessibleWidget::child(index - 1);
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    if (child == Table()) return 0;
    const int index = QAccessibleWidget::indexOfChild(child);
    return index < 0 ? -1 : index + 1;
  }
  QAccessibleInterface* focusChild() const override {
    if (!widget()->hasFocus()) return QAccessibleWidget::focusChild();
    const CPoint cursor = m_board.GetCursorCell();
    if (cursor.x < 0) return Table();
    return Table()->Cell(cursor.x, cursor.y);
  }

 private:
  const CAccessibleBoard& m_board;
  mutable QAccessible::Id m_tableId = 0;
};

BoardOfWidget g_boardOf = nullptr;

QAccessibleInterface* BoardFactory(const QString&, QObject* object) {
  auto* widget = qobject_cast<QWidget*>(object);
  const CAccessibleBoard* board = widget && g_boardOf ? g_boardOf(widget) : nullptr;
  return board ? new CFormAccessible(widget, *board) : nullptr;
}

CBoardTableAccessible* TableOf(QWidget& widget) {
  auto* form = dynamic_cast<CFormAccessible*>(QAccessible::queryAccessibleInterface(&widget));
  return form ? form->Table() : nullptr;
}

void Send(QAccessibleInterface* iface, QAccessible::Event type) {
  if (!iface) return;
  QAccessibleEvent event(iface, type);
  QAccessible::updateAccessibility(&event);
}

}  // namespace

void InstallAccessibleBoardFactory(BoardOfWidget boardOf) {
  if (g_boardOf) return;
  g_boardOf = boardOf;
  QAccessible::installFactory(BoardFactory);
}

void CQtBoardAccessNotifier::BoardPainted() {
  if (!QAccessible::isActive()) return;
  CBoardTableAccessible* table = TableOf(m_widget);
  if (!table) return;

  const int columns = m_board.GetBoardColumns();
  const int rows = m_board.GetBoardRows();
  std::vector<std::string> names;
  names.reserve(static_cast<std::size_t>(columns) * rows);
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < columns; ++c) names.push_back(m_board.GetCellName(c, r));
  const CPoint cursor = m_board.GetCursorCell();

  if (columns != m_nColumns || rows != m_nRows) {
    QAccessibleTableModelChangeEvent reset(table, QAccessibleTableModelChangeEvent::ModelReset);
    QAccessible::updateAccessibility(&reset);
  } else if (names != m_names) {
    QAccessibleTableModelChangeEvent change(table, QAccessibleTableModelChangeEvent::DataChanged);
    change.setFirstRow(0);
    change.setFirstColumn(0);
    change.setLastRow(rows - 1);
    change.setLastColumn(columns - 1);
    QAccessible::updateAccessibility(&change);
  }

  if (m_widget.hasFocus() && cursor.x >= 0) {
    QAccessibleInterface* cell = table->Cell(cursor.x, cursor.y);
    if (cursor != m_cursor) {
      Send(cell, QAccessible::Focus);
    } else if (static_cast<int>(m_names.size()) == columns * rows) {
      // What fell into the cursor's cell is read out as a change of its name.
      const std::size_t at = static_cast<std::size_t>(cursor.y) * columns + cursor.x;
      if (names[at] != m_names[at]) Send(cell, QAccessible::NameChanged);
    }
  } else if (m_widget.hasFocus() && m_cursor.x >= 0) {
    // The pointer took over: the board itself has the focus again.
    Send(table, QAccessible::Focus);
  }

  m_nColumns = columns;
  m_nRows = rows;
  m_names = std::move(names);
  m_cursor = cursor;
}

void CQtBoardAccessNotifier::FocusEntered() {
  if (!QAccessible::isActive()) return;
  CBoardTableAccessible* table = TableOf(m_widget);
  if (!table) return;
  const CPoint cursor = m_board.GetCursorCell();
  Send(cursor.x >= 0 ? table->Cell(cursor.x, cursor.y) : table, QAccessible::Focus);
}
// NOLINTEND(clang-analyzer-cplusplus.NewDeleteLeaks)
