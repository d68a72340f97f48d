// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Texts of a window offered as one read-only table (see res::TextTable): a
// screen reader then reads a row as one entry, with column headings, where it
// would otherwise meet a heap of loose texts.
#include <QLabel>
#include <QPointer>
#include <vector>

#include "platform/qt/accessibility/read_only_table_accessible.h"
#include "platform/qt/accessibility/text_table_focus.h"
#include "res/text_tables.h"

class CTextTableAccessible : public CReadOnlyTableAccessible {
 public:
  // `texts` holds the table's labels row by row; `window` holds them, and
  // `focus` lets the keyboard in: the table is that widget's interface.
  CTextTableAccessible(QWidget& window, const res::TextTable& table,
                       const std::vector<QLabel*>& texts, CTextTableFocus& focus);
  ~CTextTableAccessible() override;
  CTextTableAccessible(const CTextTableAccessible&) = delete;
  CTextTableAccessible& operator=(const CTextTableAccessible&) = delete;

  // What a cell reads: its text without the padding, and nothing for a row
  // that holds no entry.
  QString CellText(int row, int column) const;
  QRect CellRect(int row, int column) const;
  // Whether `object` is one of the table's texts or its focus.
  bool Holds(const QObject* object) const;
  // The row the keyboard is on, while the table has the focus; else -1.
  int FocusedRow() const;
  // Puts a new interface in place of the cell's and returns it, so that a
  // screen reader meets it anew; nullptr off the table.
  QAccessibleInterface* RenewCell(int row, int column);
  // The heading of the column as a header cell; nullptr past the last.
  QAccessibleInterface* Header(int column) const;

  QObject* object() const override { return m_focus; }

  QAccessibleInterface* childAt(int x, int y) const override;
  QAccessibleInterface* child(int index) const override;
  int childCount() const override { return static_cast<int>(m_cellIds.size()); }
  int indexOfChild(const QAccessibleInterface* child) const override;
  QString text(QAccessible::Text t) const override;
  QRect rect() const override;
  QAccessible::State state() const override;

  QAccessibleInterface* cellAt(int row, int column) const override;
  QString columnDescription(int column) const override;
  int columnCount() const override { return m_nColumns; }
  int rowCount() const override { return m_nRows; }

 private:
  QLabel* Text(int row, int column) const;
  // Where a cell inside the table is kept, row by row.
  std::size_t Index(int row, int column) const {
    return static_cast<std::size_t>(row) * static_cast<std::size_t>(m_nColumns) +
           static_cast<std::size_t>(column);
  }

  const res::TextTable& m_table;
  int m_nRows;
  int m_nColumns;
  std::vector<QPointer<QLabel>> m_texts;
  QPointer<CTextTableFocus> m_focus;
  // Row by row; the toolkit's accessibility cache owns the cells.
  std::vector<QAccessible::Id> m_cellIds;
  std::vector<QAccessible::Id> m_headerIds;
};
