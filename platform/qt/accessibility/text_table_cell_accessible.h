#pragma once
// One text of a table of texts (see CTextTableAccessible).
#include <QAccessibleInterface>

class CTextTableAccessible;

class CTextTableCellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
 public:
  CTextTableCellAccessible(const CTextTableAccessible& table, int row, int column)
      : m_table(table), m_nRow(row), m_nColumn(column) {}

  bool isValid() const override;
  QObject* object() const override { return nullptr; }
  QWindow* window() const override;
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessibleInterface* parent() const override;
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QString text(QAccessible::Text t) const override;
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override;
  QAccessible::Role role() const override { return QAccessible::Cell; }
  QAccessible::State state() const override;
  void* interface_cast(QAccessible::InterfaceType type) override;

  bool isSelected() const override { return false; }
  QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
  QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
  int columnIndex() const override { return m_nColumn; }
  int rowIndex() const override { return m_nRow; }
  int columnExtent() const override { return 1; }
  int rowExtent() const override { return 1; }
  QAccessibleInterface* table() const override;

 private:
  const CTextTableAccessible& m_table;
  int m_nRow;
  int m_nColumn;
};
