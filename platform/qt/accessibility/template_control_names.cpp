// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/accessibility/template_control_names.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "platform/qt/accessibility/accessible_override.h"
#include "platform/qt/accessibility/labelled_combo_accessible.h"
#include "platform/qt/accessibility/table_dialog_accessible.h"
#include "platform/qt/common/qt_text.h"
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

  for (std::size_t i = 0; i < controls.size() && i < dialogTemplate.controls.size(); ++i) {
    const ControlTemplate* label = LabelOf(dialogTemplate, dialogTemplate.controls[i]);
    // A window's one long text is named by the window's caption.
    if (auto* box = qobject_cast<QPlainTextEdit*>(controls[i]); box && !label)
      box->setAccessibleName(ToQString(dialogTemplate.caption));
    if (!label) continue;
    const QString name = ToQString(label->text);
    if (auto* edit = qobject_cast<QLineEdit*>(controls[i])) {
      edit->setAccessibleName(name);
    } else if (auto* combo = qobject_cast<QComboBox*>(controls[i])) {
      OverrideAccessibleInterface(new CLabelledComboAccessible(*combo, name));
    }
  }

  if (const res::TextTable* table = res::FindTextTable(dialogTemplate.id)) {
    std::vector<QLabel*> texts;
    const std::size_t cells = static_cast<std::size_t>(table->rows) * table->headerIds.size();
    for (std::size_t i = table->firstControl; i < controls.size() && texts.size() < cells; ++i)
      texts.push_back(qobject_cast<QLabel*>(controls[i]));
    OverrideAccessibleInterface(new CTableDialogAccessible(window, *table, std::move(texts)));
  }
}
