// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/dialogs/template_controls.h"

#include <qdrawutil.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>

#include "platform/qt/common/qt_text.h"
#include "platform/qt/common/resource_images.h"

namespace {
using namespace res::style;

bool Has(unsigned style, unsigned bit) { return (style & bit) != 0; }

Qt::Alignment TextAlignment(unsigned style) {
  Qt::Alignment horizontal = Qt::AlignLeft;
  if (Has(style, AlignCenter)) horizontal = Qt::AlignHCenter;
  if (Has(style, AlignRight)) horizontal = Qt::AlignRight;
  return horizontal | (Has(style, CenterVertically) ? Qt::AlignVCenter : Qt::AlignTop);
}

QLabel* CreateStatic(const res::ControlTemplate& control, QWidget* parent) {
  auto* label = new QLabel(parent);
  // Plain text: an "&" is a character like any other, never an access key.
  label->setTextFormat(Qt::PlainText);
  label->setText(ToQString(control.text));
  label->setAlignment(TextAlignment(control.style));
  // Clicks on texts belong to the window behind them.
  label->setAttribute(Qt::WA_TransparentForMouseEvents);
  // A text paints its own background so that a shorter new text leaves no
  // trace of the old one on a view that does not erase.
  label->setAutoFillBackground(true);
  // A raised frame around a text is drawn by the window (DrawControlEdges);
  // the text itself keeps its own thin sunken edge inside it.
  if (Has(control.style, SunkenFrame)) {
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  } else if (Has(control.style, StaticEdge)) {
    label->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  }
  return label;
}

QLabel* CreateIcon(const res::ControlTemplate& control, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setAttribute(Qt::WA_TransparentForMouseEvents);
  label->setPixmap(ResourceIcon(control.iconId).pixmap(32, 32));
  return label;
}

QPushButton* CreatePushButton(const res::ControlTemplate& control, QWidget* parent) {
  auto* button = new QPushButton(ToQString(control.text), parent);
  button->setDefault(Has(control.style, DefaultButton));
  return button;
}

QLineEdit* CreateEdit(const res::ControlTemplate& control, QWidget* parent) {
  auto* edit = new QLineEdit(ToQString(control.text), parent);
  edit->setReadOnly(Has(control.style, ReadOnly));
  edit->setFrame(Has(control.style, Border));
  return edit;
}

// A long read-only text scrolls inside its box and is read by the keyboard.
QPlainTextEdit* CreateTextBox(const res::ControlTemplate& control, QWidget* parent) {
  auto* box = new QPlainTextEdit(ToQString(control.text), parent);
  box->setReadOnly(Has(control.style, ReadOnly));
  box->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
  box->setVerticalScrollBarPolicy(Has(control.style, VScroll) ? Qt::ScrollBarAsNeeded
                                                              : Qt::ScrollBarAlwaysOff);
  box->setFrameStyle(Has(control.style, Border) ? QFrame::StyledPanel | QFrame::Sunken
                                                : QFrame::NoFrame);
  // Tab leaves the text for the buttons, as in every other field.
  box->setTabChangesFocus(true);
  return box;
}

QComboBox* CreateComboBox(QWidget* parent) {
  auto* combo = new QComboBox(parent);
  combo->setEditable(false);
  return combo;
}

// A check box with its text on the left starts the text at the control's
// left edge and puts the box at its right edge; mirroring the widget alone
// would push the text against the box.
class CLeftTextCheckBox : public QCheckBox {
 public:
  using QCheckBox::QCheckBox;

 protected:
  void paintEvent(QPaintEvent*) override {
    QStyleOptionButton option;
    initStyleOption(&option);
    const QRect indicator = style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, this);
    option.rect =
        QRect(width() - indicator.width(), indicator.y(), indicator.width(), indicator.height());
    QRect textBox(0, 0, width() - indicator.width() - 2, height());
    // Right to left, the text starts at the right edge and the box ends the
    // control on the left.
    option.rect = QStyle::visualRect(layoutDirection(), rect(), option.rect);
    textBox = QStyle::visualRect(layoutDirection(), rect(), textBox);
    const Qt::Alignment alignment =
        QStyle::visualAlignment(layoutDirection(), Qt::AlignLeft) | Qt::AlignVCenter;
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, &painter, this);
    style()->drawItemText(&painter, textBox, static_cast<int>(alignment.toInt()), palette(),
                          isEnabled(), text(), QPalette::WindowText);
  }
};

QCheckBox* CreateCheckBox(const res::ControlTemplate& control, QWidget* parent) {
  if (Has(control.style, LeftText)) return new CLeftTextCheckBox(ToQString(control.text), parent);
  return new QCheckBox(ToQString(control.text), parent);
}
// The raised frame of a text and the sunken edge of a button, in pixels.
int EdgeWidth(const res::ControlTemplate& control) {
  const bool raisedText =
      control.kind == res::ControlKind::Static && Has(control.style, ModalFrame);
  const bool sunkenButton =
      control.kind == res::ControlKind::PushButton && Has(control.style, ClientEdge);
  return raisedText || sunkenButton ? 2 : 0;
}
}  // namespace

void DrawControlEdges(QPainter& painter, const QPalette& palette,
                      const res::ControlTemplate& control, const QWidget& widget) {
  const int width = EdgeWidth(control);
  if (width == 0 || widget.isHidden()) return;
  const QRect box = widget.geometry().adjusted(-width, -width, width, width);
  const bool sunken = control.kind == res::ControlKind::PushButton;
  qDrawShadePanel(&painter, box, palette, sunken, width);
}

void FitStaticToText(QLabel& label) {
  const QFontMetrics metrics(label.font());
  const bool singleLine = label.height() < 2 * metrics.height();
  label.setWordWrap(!singleLine && !(label.alignment() & Qt::AlignVCenter));
  if (!singleLine || label.frameShape() != QFrame::NoFrame) return;
  // The desktop's font may be wider than the one the template was laid out
  // with; a one-line text then spills over its box rather than losing its end.
  const int needed = metrics.horizontalAdvance(label.text());
  const int extra = needed - label.width();
  if (extra <= 0) return;
  QRect box = label.geometry();
  const Qt::Alignment alignment =
      QStyle::visualAlignment(label.layoutDirection(), label.alignment());
  if (alignment & Qt::AlignRight)
    box.setLeft(box.left() - extra);
  else if (alignment & Qt::AlignHCenter)
    box.adjust(-extra / 2, 0, extra - extra / 2, 0);
  else
    box.setRight(box.right() + extra);
  label.setGeometry(box);
}

QWidget* CreateTemplateControl(const res::ControlTemplate& control, const DialogBaseUnits& units,
                               QWidget* parent) {
  QWidget* widget = nullptr;
  switch (control.kind) {
    case res::ControlKind::Static:
      widget = CreateStatic(control, parent);
      break;
    case res::ControlKind::Icon:
      widget = CreateIcon(control, parent);
      break;
    case res::ControlKind::PushButton:
      widget = CreatePushButton(control, parent);
      break;
    case res::ControlKind::Edit:
      if (Has(control.style, Multiline))
        widget = CreateTextBox(control, parent);
      else
        widget = CreateEdit(control, parent);
      break;
    case res::ControlKind::ComboBox:
      widget = CreateComboBox(parent);
      break;
    case res::ControlKind::CheckBox:
      widget = CreateCheckBox(control, parent);
      break;
  }
  QRect rect = units.ToPixels(control.x, control.y, control.cx, control.cy);
  // An icon shows at its own size; a closed drop-down list is as tall as the
  // toolkit draws it, the template's height counting the opened list.
  if (control.kind == res::ControlKind::Icon) rect.setSize(QSize(32, 32));
  if (control.kind == res::ControlKind::ComboBox) rect.setHeight(widget->sizeHint().height());
  // A dialog in a right-to-left language is its own mirror image.
  if (parent->isRightToLeft()) rect.moveRight(parent->width() - 1 - rect.left());
  // An edge is drawn within the control's box, around what it shows.
  rect.adjust(EdgeWidth(control), EdgeWidth(control), -EdgeWidth(control), -EdgeWidth(control));
  widget->setGeometry(rect);
  if (control.kind == res::ControlKind::Static) FitStaticToText(*static_cast<QLabel*>(widget));
  widget->setVisible(!Has(control.style, Hidden));
  widget->setEnabled(!Has(control.style, Disabled));
  widget->setFocusPolicy(Has(control.style, TabStop) ? Qt::StrongFocus : widget->focusPolicy());
  return widget;
}
