// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Lets the keyboard into a table of texts (see CTextTableAccessible): a
// widget laid over the texts that takes the focus in its turn after the
// window's controls, keeps a current row that the arrows move, frames it
// while focused, and tells it to a screen reader as the focused row.
#include <QLabel>
#include <QPointer>
#include <QWidget>
#include <vector>

// Makes the row of `text` current in the table of its window that holds it;
// nothing for a text in no table.
void MakeTextsRowCurrent(QLabel& text);

class CTextTableFocus final : public QWidget {
 public:
  // `texts` holds the table's labels row by row, `columns` to a row.
  CTextTableFocus(QWidget& window, const std::vector<QLabel*>& texts, int columns);

  int CurrentRow() const { return m_nRow; }
  // The row that holds `text`, or -1.
  int RowOf(const QLabel* text) const;
  void SetCurrentRow(int row);
  int RowCount() const { return m_nRows; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  // The row's texts, in this widget's coordinates.
  QRect RowRect(int row) const;
  // Tells the current row's first cell focused; from the event loop when
  // the focus has just come, since the toolkit tells the widget after this.
  void TellRow(bool queued);

  std::vector<QPointer<QLabel>> m_texts;
  int m_nColumns;
  int m_nRows;
  int m_nRow = 0;
};
