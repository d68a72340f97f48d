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

 private:
  const CTextTableAccessible& m_table;
};
