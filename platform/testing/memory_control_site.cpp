// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/testing/memory_control_site.h"

#include <algorithm>
#include <utility>

#include "platform/dialog.h"
#include "platform/wnd.h"

namespace {

// Byte offset of character `index` in UTF-8 `text` (its size when beyond).
std::size_t ByteOffset(const std::string& text, int index) { return Utf8Left(text, index).size(); }

}  // namespace

int DialogUnitsToPixelsX(int units) { return units * 6 / 4; }
int DialogUnitsToPixelsY(int units) { return units * 13 / 8; }

CMemoryControlSite::CMemoryControlSite(int templateId) {
  const res::DialogTemplate* dialog = res::FindDialogTemplate(templateId);
  if (!dialog) return;
  for (const res::ControlTemplate& source : dialog->controls) {
    Control& control = AddControl(source.id, source.kind, source.text);
    control.visible = (source.style & res::style::Hidden) == 0;
    control.enabled = (source.style & res::style::Disabled) == 0;
    control.x = DialogUnitsToPixelsX(source.x);
    control.y = DialogUnitsToPixelsY(source.y);
    control.width = DialogUnitsToPixelsX(source.cx);
    control.height = DialogUnitsToPixelsY(source.cy);
  }
  // Not virtual here: a subclass is not built yet while the template fills the lists.
  for (const res::ComboInit& item : dialog->initData)
    CMemoryControlSite::AddString(item.controlId, item.text);
}

CMemoryControlSite::Control& CMemoryControlSite::AddControl(int id, res::ControlKind kind,
                                                            const std::string& text) {
  Control control;
  control.id = id;
  control.kind = kind;
  control.text = text;
  if (kind == res::ControlKind::Edit) control.limit = kDefaultEditLimit;
  m_controls.push_back(std::move(control));
  return m_controls.back();
}

const CMemoryControlSite::Control* CMemoryControlSite::Find(int id) const {
  auto it = std::find_if(m_controls.begin(), m_controls.end(),
                         [id](const Control& c) { return c.id == id; });
  return it == m_controls.end() ? nullptr : &*it;
}

CMemoryControlSite::Control* CMemoryControlSite::FindMutable(int id) {
  return const_cast<Control*>(std::as_const(*this).Find(id));
}

void CMemoryControlSite::TypeText(int id, const std::string& text) {
  Control* c = FindMutable(id);
  if (!c || !c->enabled) return;
  const int start = std::min(c->selStart, c->selEnd);
  const int end = std::max(c->selStart, c->selEnd);
  const std::string before = c->text.substr(0, ByteOffset(c->text, start));
  const std::string after = c->text.substr(ByteOffset(c->text, end));
  const int room = std::max(0, c->limit - Utf8Length(before) - Utf8Length(after));
  const std::string typed = Utf8Left(text, room);
  c->text = before + typed + after;
  c->selStart = c->selEnd = start + Utf8Length(typed);
  if (m_pDialog) m_pDialog->OnCommand(id, EN_CHANGE);
}

void CMemoryControlSite::ReplaceText(int id, const std::string& text) {
  SetSel(id, 0, -1);
  TypeText(id, text);
}

void CMemoryControlSite::Select(int id, int index) {
  SetCurSel(id, index);
  if (m_pDialog) m_pDialog->OnCommand(id, CBN_SELCHANGE);
}

void CMemoryControlSite::Click(int id) {
  const Control* c = Find(id);
  if (!c || !c->visible || !c->enabled || !m_pDialog) return;
  if (id == IDOK)
    m_pDialog->OnOK();
  else if (id == IDCANCEL)
    m_pDialog->OnCancel();
  else
    m_pDialog->OnCommand(id, BN_CLICKED);
}

void CMemoryControlSite::PressEnter() {
  if (m_pDialog) m_pDialog->OnOK();
}

void CMemoryControlSite::PressEscape() {
  if (m_pDialog) m_pDialog->OnCancel();
}

int CMemoryControlSite::FireTimers() {
  if (!m_pDialog) return 0;
  int delivered = 0;
  // A handler may kill or start timers; only those running at the time are due.
  const std::map<int, int> due = m_timers;
  for (const auto& [timerId, period] : due) {
    if (m_pDialog->IsEnding()) break;
    if (!m_timers.contains(timerId)) continue;
    m_pDialog->OnTimer(timerId);
    ++delivered;
  }
  return delivered;
}

void CMemoryControlSite::Enable(int id, bool enabled) {
  if (Control* c = FindMutable(id)) c->enabled = enabled;
}

int CMemoryControlSite::GetSelStart(int id) const {
  const Control* c = Find(id);
  return c ? c->selStart : 0;
}

int CMemoryControlSite::GetSelEnd(int id) const {
  const Control* c = Find(id);
  return c ? c->selEnd : 0;
}

bool CMemoryControlSite::HasControl(int id) const { return Find(id) != nullptr; }

void CMemoryControlSite::SetText(int id, const std::string& text) {
  // Text set from code ignores the edit's limit, as on the desktop.
  if (Control* c = FindMutable(id)) {
    c->text = text;
    c->selStart = c->selEnd = 0;
  }
}

std::string CMemoryControlSite::GetText(int id) const {
  const Control* c = Find(id);
  return c ? c->text : std::string();
}

void CMemoryControlSite::Show(int id, bool visible) {
  if (Control* c = FindMutable(id)) c->visible = visible;
}

bool CMemoryControlSite::IsVisible(int id) const {
  const Control* c = Find(id);
  return c && c->visible;
}

bool CMemoryControlSite::IsEnabled(int id) const {
  const Control* c = Find(id);
  return c && c->enabled;
}

void CMemoryControlSite::Move(int id, int x, int y, int width, int height) {
  if (Control* c = FindMutable(id)) {
    c->x = x;
    c->y = y;
    c->width = width;
    c->height = height;
  }
}

void CMemoryControlSite::SetFocus(int id) {
  if (HasControl(id)) m_nFocus = id;
}

void CMemoryControlSite::SetLimitText(int id, int maxChars) {
  // 0 means "as much as an edit can hold".
  if (Control* c = FindMutable(id)) c->limit = maxChars > 0 ? maxChars : kDefaultEditLimit;
}

int CMemoryControlSite::GetLimitText(int id) const {
  const Control* c = Find(id);
  return c ? c->limit : 0;
}

void CMemoryControlSite::SetSel(int id, int start, int end) {
  Control* c = FindMutable(id);
  if (!c) return;
  const int length = Utf8Length(c->text);
  if (start < 0) {  // -1 start removes the selection, leaving the caret
    c->selStart = c->selEnd;
    return;
  }
  c->selStart = std::min(start, length);
  c->selEnd = (end < 0 || end > length) ? length : end;
}

void CMemoryControlSite::AddString(int id, const std::string& item) {
  if (Control* c = FindMutable(id)) c->items.push_back(item);
}

int CMemoryControlSite::GetCount(int id) const {
  const Control* c = Find(id);
  return c ? static_cast<int>(c->items.size()) : 0;
}

std::string CMemoryControlSite::GetItemText(int id, int index) const {
  const Control* c = Find(id);
  if (!c || index < 0 || index >= static_cast<int>(c->items.size())) return std::string();
  return c->items[static_cast<std::size_t>(index)];
}

int CMemoryControlSite::GetCurSel(int id) const {
  const Control* c = Find(id);
  return c ? c->curSel : -1;
}

void CMemoryControlSite::SetCurSel(int id, int index) {
  Control* c = FindMutable(id);
  if (!c) return;
  // An index outside the list clears the selection.
  c->curSel = (index >= 0 && index < static_cast<int>(c->items.size())) ? index : -1;
  if (c->curSel >= 0) c->text = c->items[static_cast<std::size_t>(c->curSel)];
}

void CMemoryControlSite::SetTimer(int timerId, int milliseconds) {
  m_timers[timerId] = milliseconds;
}

void CMemoryControlSite::KillTimer(int timerId) { m_timers.erase(timerId); }
