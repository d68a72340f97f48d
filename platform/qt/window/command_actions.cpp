// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/window/command_actions.h"

#include <QMenu>
#include <QProxyStyle>

#include "platform/qt/accessibility/menu_item_accessible.h"
#include "platform/qt/common/crisp_icon.h"
#include "platform/qt/common/qt_text.h"
#include "platform/qt/common/resource_images.h"
#include "res/colours.h"
#include "res/command_resources.h"
#include "res/string_table.h"

namespace {
QKeySequence ShortcutOf(int command) {
  const res::Accelerator* accelerator = res::FindAccelerator(command);
  if (!accelerator) return {};
  Qt::KeyboardModifiers modifiers;
  if (accelerator->ctrl) modifiers |= Qt::ControlModifier;
  if (accelerator->shift) modifiers |= Qt::ShiftModifier;
  if (accelerator->alt) modifiers |= Qt::AltModifier;
  // Upper-case letters' codes are Qt's key codes; F1 is the one other key.
  const Qt::Key key =
      accelerator->key == res::kKeyF1 ? Qt::Key_F1 : static_cast<Qt::Key>(accelerator->key);
  return QKeyCombination(modifiers, key);
}

// A greyed menu item is highlighted under the pointer like any other, so that
// the status bar tells what it would do.
class CMenuStyle final : public QProxyStyle {
 public:
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returnData) const override {
    if (hint == SH_Menu_AllowActiveAndDisabled) return 1;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
  }
};

// The strip's grey background shows the toolbar's own colour through it.
QIcon ButtonIcon(const QImage& strip, int index) {
  QImage picture = strip
                       .copy(index * res::ToolbarButtonWidth, 0, res::ToolbarButtonWidth,
                             res::ToolbarButtonHeight)
                       .convertToFormat(QImage::Format_ARGB32);
  const QRgb background = qRgb(res::kLightGrey.r, res::kLightGrey.g, res::kLightGrey.b);
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x)
      if (picture.pixel(x, y) == background) picture.setPixel(x, y, qRgba(0, 0, 0, 0));
  return CrispIcon(picture);
}
}  // namespace

CQtCommandActions::CQtCommandActions(QObject& owner, Trigger trigger)
    : m_owner(owner), m_trigger(std::move(trigger)) {}

QAction* CQtCommandActions::MakeAction(int command, const QString& text) {
  auto* action = new QAction(text, &m_owner);
  action->setShortcut(ShortcutOf(command));
  action->setShortcutContext(Qt::WindowShortcut);
  action->setStatusTip(ToQString(res::CommandPrompt(command)));
  const std::string_view tooltip = res::CommandTooltip(command);
  if (!tooltip.empty()) action->setToolTip(ToQString(tooltip));
  action->setIconVisibleInMenu(false);
  QObject::connect(action, &QAction::triggered, &m_owner, [this, command] { m_trigger(command); });
  m_actions[command] = action;
  return action;
}

void CQtCommandActions::BuildMenuBar(QMenuBar& bar, const std::function<void()>& beforeMenuShows) {
  // Made after the bar, so it outlives the menus when the window goes.
  auto* menuStyle = new CMenuStyle;
  menuStyle->setParent(&m_owner);
  for (const res::MenuPopup& popup : res::MainMenu().popups) {
    QMenu* menu = bar.addMenu(ToQString(popup.text));
    menu->setStyle(menuStyle);
    QObject::connect(menu, &QMenu::aboutToShow, &m_owner, beforeMenuShows);
    for (const res::MenuItem& item : popup.items) {
      if (item.isSeparator()) {
        menu->addSeparator();
        continue;
      }
      // The shortcut is the action's own, which the menu shows at the right
      // and a screen reader reports apart from the name.
      QAction* action = MakeAction(item.command, ToQString(res::MenuItemLabel(item)));
      menu->addAction(action);
      if (!action->shortcut().isEmpty()) TellShortcutAsAccelerator(*menu, *action);
    }
  }
}

bool CQtCommandActions::FillToolBar(QToolBar& bar, int bitmapId) {
  const QImage& strip = BitmapImage(bitmapId);
  if (strip.isNull()) return false;
  for (const res::ToolbarItem& item : res::ToolbarItems()) {
    if (item.isSeparator()) {
      bar.addSeparator();
      continue;
    }
    QAction* action = Action(item.command);
    if (!action) action = MakeAction(item.command, ToQString(res::CommandTooltip(item.command)));
    action->setIcon(ButtonIcon(strip, item.imageIndex));
    bar.addAction(action);
  }
  return true;
}

QAction* CQtCommandActions::Action(int command) const {
  const auto it = m_actions.find(command);
  return it == m_actions.end() ? nullptr : it->second;
}

int CQtCommandActions::CommandOf(const QAction* action) const {
  for (const auto& [command, candidate] : m_actions)
    if (candidate == action) return command;
  return 0;
}
