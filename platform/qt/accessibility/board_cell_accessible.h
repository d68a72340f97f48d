#pragma once
// One cell of the board's table (see CBoardTableAccessible); valid while the
// board is at least this large.
#include <QAccessibleInterface>
#include <QPointer>
#include <QWidget>

#include "platform/accessible_board.h"

class CBoardCellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
 public:
  CBoardCellAccessible(QWidget& widget, const CAccessibleBoard& board, QAccessibleInterface& table,
                       int column, int row)
      : m_widget(&widget), m_board(board), m_table(table), m_nColumn(column), m_nRow(row) {}

  bool isValid() const override;
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return m_table.window(); }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessibleInterface* parent() const override { return &m_table; }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QString text(QAccessible::Text t) const override;
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override;
  QAccessible::Role role() const override { return QAccessible::Cell; }
  QAccessible::State state() const override;
  void* interface_cast(QAccessible::InterfaceType type) override;

  // The highlighted group is the selection.
  bool isSelected() const override;
  QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
  QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
  int columnIndex() const override { return m_nColumn; }
  int rowIndex() const override { return m_nRow; }
  int columnExtent() const override { return 1; }
  int rowExtent() const override { return 1; }
  QAccessibleInterface* table() const override { return &m_table; }

 private:
  QPointer<QWidget> m_widget;
  const CAccessibleBoard& m_board;
  QAccessibleInterface& m_table;
  int m_nColumn;
  int m_nRow;
};

// A rectangle of the widget's client pixels on the screen.
QRect BoardRectOnScreen(const QWidget& widget, const CRect& rect);
