// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The board as a table, a child of the form view's widget. It makes an
// interface for every cell when it is made and again when the board changes
// size; asking for a cell only looks it up.
#include <QWidget>
#include <vector>

#include "platform/accessible_board.h"
#include "platform/qt/accessibility/read_only_table_accessible.h"

class CBoardTableAccessible : public CReadOnlyTableAccessible {
 public:
  CBoardTableAccessible(QWidget& widget, const CAccessibleBoard& board);
  ~CBoardTableAccessible() override;
  CBoardTableAccessible(const CBoardTableAccessible&) = delete;
  CBoardTableAccessible& operator=(const CBoardTableAccessible&) = delete;

  // The cell's interface, or nullptr off the board.
  QAccessibleInterface* Cell(int column, int row) const;
  // Puts a new interface in place of the cell's and returns it, for a cell
  // that must be heard again as if newly met; nullptr off the board.
  QAccessibleInterface* RenewCell(int column, int row);

  QAccessibleInterface* childAt(int x, int y) const override;
  QAccessibleInterface* child(int index) const override;
  int childCount() const override { return columnCount() * rowCount(); }
  int indexOfChild(const QAccessibleInterface* child) const override;
  QString text(QAccessible::Text t) const override;
  QRect rect() const override;
  QAccessible::State state() const override;

  QAccessibleInterface* cellAt(int row, int column) const override { return Cell(column, row); }
  // The highlighted group.
  QList<QAccessibleInterface*> selectedCells() const override;
  QString columnDescription(int column) const override;
  QString rowDescription(int row) const override;
  int columnCount() const override { return m_host ? m_board.GetBoardColumns() : 0; }
  int rowCount() const override { return m_host ? m_board.GetBoardRows() : 0; }
  // A reset (the board changed size) makes the cells afresh.
  void modelChange(QAccessibleTableModelChangeEvent* event) override;

 private:
  void MakeCells();
  void ForgetCells();

  const CAccessibleBoard& m_board;
  // Row by row for the size they were made for; the toolkit's accessibility
  // cache owns the cells.
  int m_nCellColumns = 0;
  int m_nCellRows = 0;
  std::vector<QAccessible::Id> m_cellIds;
};
