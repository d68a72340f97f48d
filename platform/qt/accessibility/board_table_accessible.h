#pragma once
// The board as a table, a child of the form view's widget. It makes an
// interface for every cell when it is made and again when the board changes
// size; asking for a cell only looks it up.
#include <QAccessible>
#include <QPointer>
#include <QWidget>
#include <vector>

#include "platform/accessible_board.h"

class CBoardTableAccessible : public QAccessibleInterface, public QAccessibleTableInterface {
 public:
  CBoardTableAccessible(QWidget& widget, const CAccessibleBoard& board);
  ~CBoardTableAccessible() override;
  CBoardTableAccessible(const CBoardTableAccessible&) = delete;
  CBoardTableAccessible& operator=(const CBoardTableAccessible&) = delete;

  // The cell's interface, or nullptr off the board.
  QAccessibleInterface* Cell(int column, int row) const;

  bool isValid() const override { return !m_widget.isNull(); }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override;
  QAccessibleInterface* childAt(int x, int y) const override;
  QAccessibleInterface* parent() const override;
  QAccessibleInterface* child(int index) const override;
  int childCount() const override { return columnCount() * rowCount(); }
  int indexOfChild(const QAccessibleInterface* child) const override;
  QString text(QAccessible::Text t) const override;
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override;
  QAccessible::Role role() const override { return QAccessible::Table; }
  QAccessible::State state() const override;
  void* interface_cast(QAccessible::InterfaceType type) override;

  QAccessibleInterface* caption() const override { return nullptr; }
  QAccessibleInterface* summary() const override { return nullptr; }
  QAccessibleInterface* cellAt(int row, int column) const override { return Cell(column, row); }
  int selectedCellCount() const override { return static_cast<int>(selectedCells().size()); }
  QList<QAccessibleInterface*> selectedCells() const override;
  QString columnDescription(int column) const override;
  QString rowDescription(int row) const override;
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
  // A reset (the board changed size) makes the cells afresh.
  void modelChange(QAccessibleTableModelChangeEvent* event) override;

 private:
  void MakeCells();
  void ForgetCells();

  QPointer<QWidget> m_widget;
  const CAccessibleBoard& m_board;
  // Row by row for the size they were made for; the toolkit's accessibility
  // cache owns the cells.
  int m_nCellColumns = 0;
  int m_nCellRows = 0;
  std::vector<QAccessible::Id> m_cellIds;
};
