// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/accessibility/template_control_names.h"

#include <QAccessible>
#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <algorithm>

#include "platform/qt/accessibility/accessible_override.h"
#include "platform/qt/accessibility/labelled_combo_accessible.h"
#include "platform/qt/accessibility/table_dialog_accessible.h"
#include "platform/qt/accessibility/text_table_focus.h"
#include "platform/qt/common/qt_text.h"
#include "res/resource_ids.h"
#include "res/string_table.h"
#include "res/text_tables.h"

namespace {
using res::ControlKind;
using res::ControlTemplate;

// Dialog units a label's top may stand off its field's and still share its line.
constexpr int kSameLine = 2;

bool OverlapsAcross(const ControlTemplate& a, const ControlTemplate& b) {
  return a.x < b.x + b.cx && b.x < a.x + a.cx;
}

// The text that labels `field`: the nearest on its line to its left, else
// the nearest above it; nullptr when there is none.
const ControlTemplate* LabelOf(const res::DialogTemplate& dialogTemplate,
                               const ControlTemplate& field) {
  const ControlTemplate* beside = nullptr;
  const ControlTemplate* above = nullptr;
  for (const ControlTemplate& text : dialogTemplate.controls) {
    if (text.kind != ControlKind::Static || *text.text == '\0') continue;
    const bool sameLine = text.y >= field.y - kSameLine && text.y <= field.y + kSameLine;
    if (sameLine && text.x + text.cx <= field.x && (!beside || text.x > beside->x)) beside = &text;
    if (text.y + text.cy <= field.y && OverlapsAcross(text, field) && (!above || text.y > above->y))
      above = &text;
  }
  return beside ? beside : above;
}

// Buttons whose text is no word a listener could make sense of.
constexpr struct {
  int controlId;
  int nameId;
} kSpokenNames[] = {{IDC_TILESET_BROWSE, IDS_TILESET_BROWSE_NAME}};

// A field selects its text when Tab brings the focus, and tells the caret
// and the selection before the toolkit tells the focus; a screen reader that
// has taken the caret's field for the focus then stays silent when the focus
// follows. A read-only field has nothing to select for typing over, so it
// takes the focus from Tab as from anywhere else, and is heard.
class CNoSelectOnTab final : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::FocusIn) return false;
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason != Qt::TabFocusReason && reason != Qt::BacktabFocusReason) return false;
    QFocusEvent plain(QEvent::FocusIn, Qt::OtherFocusReason);
    QCoreApplication::sendEvent(watched, &plain);
    return true;
  }
};

// A window without a caption shows its title as a framed text.
const ControlTemplate* TitleOf(const res::DialogTemplate& dialogTemplate) {
  for (const ControlTemplate& text : dialogTemplate.controls)
    if (text.kind == ControlKind::Static && (text.style & res::style::StaticEdge)) return &text;
  return nullptr;
}

}  // namespace

void NameTemplateControls(const res::DialogTemplate& dialogTemplate,
                          const std::vector<QWidget*>& controls, QWidget& window) {
  if (*dialogTemplate.caption == '\0')
    if (const ControlTemplate* title = TitleOf(dialogTemplate))
      window.setAccessibleName(ToQString(title->text));

  const std::size_t count = std::min(controls.size(), dialogTemplate.controls.size());
  for (std::size_t i = 0; i < count; ++i) {
    for (const auto& spoken : kSpokenNames)
      if (dialogTemplate.controls[i].id == spoken.controlId && controls[i])
        controls[i]->setAccessibleName(ToQString(res::LoadString(spoken.nameId)));
    const ControlTemplate* label = LabelOf(dialogTemplate, dialogTemplate.controls[i]);
    // A window's one long text is named by the window's caption.
    if (auto* box = qobject_cast<QPlainTextEdit*>(controls[i]); box && !label)
      box->setAccessibleName(ToQString(dialogTemplate.caption));
    if (!label) continue;
    const QString name = ToQString(label->text);
    auto* edit = qobject_cast<QLineEdit*>(controls[i]);
    auto* combo = qobject_cast<QComboBox*>(controls[i]);
    if (!edit && !combo) continue;
    // The label's buddy is what the toolkit tells as labelled-by and
    // label-for, so a screen reader reads the label with its field and
    // not as stray text.
    const auto at = static_cast<std::size_t>(label - dialogTemplate.controls.data());
    if (auto* labelText = at < count ? qobject_cast<QLabel*>(controls[at]) : nullptr)
      labelText->setBuddy(controls[i]);
    if (edit) {
      edit->setAccessibleName(name);
      if (edit->isReadOnly()) edit->installEventFilter(new CNoSelectOnTab(edit));
    } else {
      OverrideAccessibleInterface(new CLabelledComboAccessible(*combo, name));
    }
  }

  if (const res::TextTable* table = res::FindTextTable(dialogTemplate.id)) {
    std::vector<QLabel*> texts;
    const std::size_t cells = static_cast<std::size_t>(table->rows) * table->headerIds.size();
    for (std::size_t i = table->firstControl; i < controls.size() && texts.size() < cells; ++i)
      texts.push_back(qobject_cast<QLabel*>(controls[i]));
    auto* focus = new CTextTableFocus(window, texts, static_cast<int>(table->headerIds.size()));
    OverrideAccessibleInterface(new CTableDialogAccessible(window, *table, texts, *focus));
  }
}
