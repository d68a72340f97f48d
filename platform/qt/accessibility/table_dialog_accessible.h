// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A window that holds a table of texts: the table stands among its children
// in place of the texts it is made of.
#include <QAccessibleWidget>
#include <QLabel>
#include <vector>

#include "res/text_tables.h"

class CTextTableAccessible;
class CTextTableFocus;

class CTableDialogAccessible : public QAccessibleWidget {
 public:
  CTableDialogAccessible(QWidget& window, const res::TextTable& table,
                         const std::vector<QLabel*>& texts, CTextTableFocus& focus);
  ~CTableDialogAccessible() override;
  CTableDialogAccessible(const CTableDialogAccessible&) = delete;
  CTableDialogAccessible& operator=(const CTableDialogAccessible&) = delete;

  int childCount() const override;
  QAccessibleInterface* child(int index) const override;
  int indexOfChild(const QAccessibleInterface* child) const override;

 private:
  CTextTableAccessible* Table() const;
  // The window's own children that are not part of the table.
  QList<QAccessibleInterface*> OtherChildren() const;

  QAccessible::Id m_tableId;  // the toolkit's accessibility cache owns the table
};
