// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One text of a table of texts (see CTextTableAccessible).
#include "platform/qt/accessibility/read_only_table_accessible.h"

class CTextTableAccessible;

class CTextTableCellAccessible : public CReadOnlyTableCellAccessible {
 public:
  CTextTableCellAccessible(const CTextTableAccessible& table, int row, int column)
      : CReadOnlyTableCellAccessible(column, row), m_table(table) {}

  bool isValid() const override;
  QString text(QAccessible::Text t) const override;
  QRect rect() const override;
  QAccessible::State state() const override;

  QAccessibleInterface* table() const override;
  QList<QAccessibleInterface*> columnHeaderCells() const override;

 private:
  const CTextTableAccessible& m_table;
};

// A column's heading: what a screen reader names the column by.
class CTextTableHeaderAccessible : public QAccessibleInterface {
 public:
  CTextTableHeaderAccessible(const CTextTableAccessible& table, int column)
      : m_table(table), m_nColumn(column) {}

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
  QRect rect() const override { return {}; }
  QAccessible::Role role() const override { return QAccessible::ColumnHeader; }
  QAccessible::State state() const override;

 private:
  const CTextTableAccessible& m_table;
  const int m_nColumn;
};
