#pragma once
// Texts of a window offered as one read-only table (see res::TextTable): a
// screen reader then reads a row as one entry, with column headings, where it
// would otherwise meet a heap of loose texts.
#include <QAccessible>
#include <QLabel>
#include <QPointer>
#include <vector>

#include "res/text_tables.h"

class CTextTableAccessible : public QAccessibleInterface, public QAccessibleTableInterface {
 public:
  // `texts` holds the table's labels row by row; `window` holds them.
  CTextTableAccessible(QWidget& window, const res::TextTable& table, std::vector<QLabel*> texts);
  ~CTextTableAccessible() override;
  CTextTableAccessible(const CTextTableAccessible&) = delete;
  CTextTableAccessible& operator=(const CTextTableAccessible&) = delete;

  // What a cell reads: its text without the padding, and nothing for a row
  // that holds no entry.
  QString CellText(int row, int column) const;
  QRect CellRect(int row, int column) const;
  // Whether `object` is one of the table's texts.
  bool Holds(const QObject* object) const;

  bool isValid() const override { return !m_window.isNull(); }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override;
  QAccessibleInterface* childAt(int x, int y) const override;
  QAccessibleInterface* parent() const override;
  QAccessibleInterface* child(int index) const override;
  int childCount() const override { return static_cast<int>(m_cellIds.size()); }
  int indexOfChild(const QAccessibleInterface* child) const override;
  QString text(QAccessible::Text t) const override;
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override;
  QAccessible::Role role() const override { return QAccessible::Table; }
  QAccessible::State state() const override;
  void* interface_cast(QAccessible::InterfaceType type) override;

  QAccessibleInterface* caption() const override { return nullptr; }
  QAccessibleInterface* summary() const override { return nullptr; }
  QAccessibleInterface* cellAt(int row, int column) const override;
  int selectedCellCount() const override { return 0; }
  QList<QAccessibleInterface*> selectedCells() const override { return {}; }
  QString columnDescription(int column) const override;
  QString rowDescription(int) const override { return {}; }
  int selectedColumnCount() const override { return 0; }
  int selectedRowCount() const override { return 0; }
  int columnCount() const override { return m_nColumns; }
  int rowCount() const override { return m_nRows; }
  QList<int> selectedColumns() const override { return {}; }
  QList<int> selectedRows() const override { return {}; }
  bool isColumnSelected(int) const override { return false; }
  bool isRowSelected(int) const override { return false; }
  bool selectRow(int) override { return false; }
  bool selectColumn(int) override { return false; }
  bool unselectRow(int) override { return false; }
  bool unselectColumn(int) override { return false; }
  void modelChange(QAccessibleTableModelChangeEvent*) override {}

 private:
  QLabel* Text(int row, int column) const;

  QPointer<QWidget> m_window;
  const res::TextTable& m_table;
  int m_nRows;
  int m_nColumns;
  std::vector<QPointer<QLabel>> m_texts;
  // Row by row; the toolkit's accessibility cache owns the cells.
  std::vector<QAccessible::Id> m_cellIds;
};
