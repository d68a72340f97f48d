// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/accessibility/text_table_accessible.h"

#include "platform/qt/accessibility/accessible_override.h"
#include "platform/qt/accessibility/text_table_cell_accessible.h"
#include "platform/qt/common/qt_text.h"
#include "res/string_table.h"

CTextTableAccessible::CTextTableAccessible(QWidget& window, const res::TextTable& table,
                                           const std::vector<QLabel*>& texts,
                                           CTextTableFocus& focus)
    : CReadOnlyTableAccessible(window),
      m_table(table),
      m_nRows(table.rows),
      m_nColumns(static_cast<int>(table.headerIds.size())),
      m_focus(&focus) {
  // A template short of texts gets no more rows than it can fill.
  m_nRows = std::min(m_nRows, static_cast<int>(texts.size()) / std::max(m_nColumns, 1));
  for (QLabel* text : texts) m_texts.emplace_back(text);
  for (int r = 0; r < m_nRows; ++r)
    for (int c = 0; c < m_nColumns; ++c)
      m_cellIds.push_back(
          RegisterAccessibleInterface(std::make_unique<CTextTableCellAccessible>(*this, r, c)));
  for (int c = 0; c < m_nColumns; ++c)
    m_headerIds.push_back(
        RegisterAccessibleInterface(std::make_unique<CTextTableHeaderAccessible>(*this, c)));
}

CTextTableAccessible::~CTextTableAccessible() {
  for (QAccessible::Id id : m_cellIds) QAccessible::deleteAccessibleInterface(id);
  for (QAccessible::Id id : m_headerIds) QAccessible::deleteAccessibleInterface(id);
}

int CTextTableAccessible::FocusedRow() const {
  return m_focus && m_focus->hasFocus() ? m_focus->CurrentRow() : -1;
}

QAccessibleInterface* CTextTableAccessible::RenewCell(int row, int column) {
  if (!Text(row, column)) return nullptr;
  QAccessible::Id& id = m_cellIds[Index(row, column)];
  QAccessible::deleteAccessibleInterface(id);
  id = RegisterAccessibleInterface(std::make_unique<CTextTableCellAccessible>(*this, row, column));
  return QAccessible::accessibleInterface(id);
}

QAccessibleInterface* CTextTableAccessible::Header(int column) const {
  if (column < 0 || column >= static_cast<int>(m_headerIds.size())) return nullptr;
  return QAccessible::accessibleInterface(m_headerIds[static_cast<std::size_t>(column)]);
}

QLabel* CTextTableAccessible::Text(int row, int column) const {
  if (row < 0 || column < 0 || row >= m_nRows || column >= m_nColumns) return nullptr;
  return m_texts[Index(row, column)];
}

QString CTextTableAccessible::CellText(int row, int column) const {
  const QLabel* text = Text(row, column);
  if (!text) return {};
  const QLabel* key = Text(row, m_table.keyColumn);
  if (column != 0 && key && key->text().trimmed().isEmpty()) return {};
  return text->text().trimmed();
}

QRect CTextTableAccessible::CellRect(int row, int column) const {
  const QLabel* text = Text(row, column);
  return text ? QRect(text->mapToGlobal(QPoint(0, 0)), text->size()) : QRect();
}

bool CTextTableAccessible::Holds(const QObject* object) const {
  if (object && object == m_focus) return true;
  return std::any_of(m_texts.begin(), m_texts.end(),
                     [object](const QPointer<QLabel>& text) { return text == object; });
}

QAccessibleInterface* CTextTableAccessible::childAt(int x, int y) const {
  for (int r = 0; r < m_nRows; ++r)
    for (int c = 0; c < m_nColumns; ++c)
      if (CellRect(r, c).contains(x, y)) return cellAt(r, c);
  return nullptr;
}

QAccessibleInterface* CTextTableAccessible::child(int index) const {
  if (index < 0 || index >= childCount()) return nullptr;
  return QAccessible::accessibleInterface(m_cellIds[static_cast<std::size_t>(index)]);
}

int CTextTableAccessible::indexOfChild(const QAccessibleInterface* child) const {
  const auto* cell = dynamic_cast<const CTextTableCellAccessible*>(child);
  if (!cell || cell->table() != this) return -1;
  return cell->rowIndex() * m_nColumns + cell->columnIndex();
}

QString CTextTableAccessible::text(QAccessible::Text t) const {
  const char* name = res::LoadString(m_table.nameId);
  return t == QAccessible::Name && name ? ToQString(name) : QString();
}

QRect CTextTableAccessible::rect() const {
  QRect all;
  for (int r = 0; r < m_nRows; ++r)
    for (int c = 0; c < m_nColumns; ++c) all |= CellRect(r, c);
  return all;
}

QAccessible::State CTextTableAccessible::state() const {
  QAccessible::State state;
  state.invalid = !isValid();
  state.readOnly = true;
  state.focusable = true;
  state.focused = FocusedRow() >= 0;
  return state;
}

QAccessibleInterface* CTextTableAccessible::cellAt(int row, int column) const {
  if (!Text(row, column)) return nullptr;
  return child(row * m_nColumns + column);
}

QString CTextTableAccessible::columnDescription(int column) const {
  if (column < 0 || column >= m_nColumns) return {};
  const char* heading = res::LoadString(m_table.headerIds[static_cast<std::size_t>(column)]);
  return heading ? ToQString(heading) : QString();
}
