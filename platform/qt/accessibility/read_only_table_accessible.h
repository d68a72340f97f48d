// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the board's table and the tables of texts have in common: a screen
// reader reads them but never selects or edits through them, and they carry
// no caption, summary or header cells of their own.
#include <QAccessible>
#include <QAccessibleInterface>
#include <QPointer>
#include <QWidget>

class CReadOnlyTableAccessible : public QAccessibleInterface, public QAccessibleTableInterface {
 public:
  // `host` is the widget the table stands in; the table is valid while it is.
  explicit CReadOnlyTableAccessible(QWidget& host) : m_host(&host) {}

  bool isValid() const override { return !m_host.isNull(); }
  QWindow* window() const override { return m_host ? m_host->window()->windowHandle() : nullptr; }
  QAccessibleInterface* parent() const override {
    return m_host ? QAccessible::queryAccessibleInterface(m_host) : nullptr;
  }
  QObject* object() const override { return nullptr; }
  void setText(QAccessible::Text, const QString&) override {}
  QAccessible::Role role() const override { return QAccessible::Table; }
  void* interface_cast(QAccessible::InterfaceType type) override {
    return type == QAccessible::TableInterface ? static_cast<QAccessibleTableInterface*>(this)
                                               : nullptr;
  }

  QAccessibleInterface* caption() const override { return nullptr; }
  QAccessibleInterface* summary() const override { return nullptr; }
  int selectedCellCount() const override { return static_cast<int>(selectedCells().size()); }
  QList<QAccessibleInterface*> selectedCells() const override { return {}; }
  QString rowDescription(int) const override { return {}; }
  // A selection, where there is one, is a few cells, never a whole row or
  // column.
  int selectedColumnCount() const override { return 0; }
  int selectedRowCount() const override { return 0; }
  QList<int> selectedColumns() const override { return {}; }
  QList<int> selectedRows() const override { return {}; }
  bool isColumnSelected(int) const override { return false; }
  bool isRowSelected(int) const override { return false; }
  // Selecting on the board is playing; a screen reader does not play for the
  // player.
  bool selectRow(int) override { return false; }
  bool selectColumn(int) override { return false; }
  bool unselectRow(int) override { return false; }
  bool unselectColumn(int) override { return false; }
  void modelChange(QAccessibleTableModelChangeEvent*) override {}

 protected:
  const QPointer<QWidget> m_host;
};

// One cell of such a table: a leaf, one column wide and one row high.
class CReadOnlyTableCellAccessible : public QAccessibleInterface,
                                     public QAccessibleTableCellInterface {
 public:
  CReadOnlyTableCellAccessible(int column, int row) : m_nColumn(column), m_nRow(row) {}

  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return table()->window(); }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessibleInterface* parent() const override { return table(); }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  void setText(QAccessible::Text, const QString&) override {}
  QAccessible::Role role() const override { return QAccessible::Cell; }
  void* interface_cast(QAccessible::InterfaceType type) override {
    return type == QAccessible::TableCellInterface
               ? static_cast<QAccessibleTableCellInterface*>(this)
               : nullptr;
  }

  bool isSelected() const override { return false; }
  QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
  QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
  int columnIndex() const override { return m_nColumn; }
  int rowIndex() const override { return m_nRow; }
  int columnExtent() const override { return 1; }
  int rowExtent() const override { return 1; }

 protected:
  const int m_nColumn;
  const int m_nRow;
};
