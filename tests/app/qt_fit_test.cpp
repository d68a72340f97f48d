// SPDX-License-Identifier: GPL-3.0-or-later
// Every text in every shipped language against the room it has: each
// dialog's controls, rendered offscreen as the player sees them, with the
// longest texts the game puts in at run time; the status bar's prompts at the
// window's smallest size; and the view's three score texts. English runs
// first, as the reference that passes today. A right-to-left language mirrors
// the chrome and leaves the board alone.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <string>
#include <vector>

#include "platform/dialog.h"
#include "platform/qt/common/qt_text.h"
#include "platform/qt/dialogs/template_dialog.h"
#include "platform/qt/qt_translations.h"
#include "res/command_resources.h"
#include "res/dialog_templates.h"
#include "res/game_texts.h"
#include "res/resource_ids.h"
#include "res/string_table.h"
#include "tests/app/qt_app_fixture.h"
#include "tests/res/catalogue_environment.h"

namespace {

std::vector<std::string> EnglishAndShipped() {
  std::vector<std::string> languages{"en"};
  for (const std::string& language : ShippedLanguages()) languages.push_back(language);
  return languages;
}

void Speak(const std::string& language) {
  UseLanguageEnvironment(language == "en" ? nullptr : language.c_str());
  QGuiApplication::setLayoutDirection(DirectionOf(ToQString(language)));
}

std::string Name(const QWidget& widget, const QString& text) {
  return widget.metaObject()->className() + std::string(" \"") + ToStdString(text) + "\"";
}

// The box a label's text covers once laid out, in its parent's coordinates.
QRect TextBox(const QLabel& label) {
  const QFontMetrics metrics(label.font());
  const QRect inside = label.contentsRect().translated(label.pos());
  if (label.wordWrap()) return inside;
  const int width = metrics.horizontalAdvance(label.text());
  const QRect box = QStyle::alignedRect(label.layoutDirection(), label.alignment(),
                                        QSize(width, metrics.height()), inside);
  return box.intersected(inside);
}

// Problems of one control: a text wider or taller than its room, a control
// beyond its window, a text over another control.
std::vector<std::string> Misfits(const QWidget& window) {
  std::vector<std::string> found;
  const auto widgets = window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
  for (QWidget* widget : widgets) {
    const QFontMetrics metrics(widget->font());
    if (auto* label = qobject_cast<QLabel*>(widget)) {
      if (label->text().isEmpty()) continue;
      const QString& text = label->text();
      const int room = label->contentsRect().width();
      if (label->wordWrap() ? label->heightForWidth(room) > label->contentsRect().height()
                            : metrics.horizontalAdvance(text) > room)
        found.push_back(Name(*label, text) + " is cut");
      if (!window.rect().contains(label->geometry()))
        found.push_back(Name(*label, text) + " runs out of its window");
      const QRect box = TextBox(*label);
      for (QWidget* other : widgets) {
        const auto* otherLabel = qobject_cast<QLabel*>(other);
        if (other == label || (otherLabel && otherLabel->text().isEmpty())) continue;
        // A frame laid over texts on purpose, such as a table's focus, hides none of them.
        if (other->testAttribute(Qt::WA_TransparentForMouseEvents)) continue;
        const QRect otherBox = otherLabel ? TextBox(*otherLabel) : other->geometry();
        if (box.intersects(otherBox))
          found.push_back(Name(*label, text) + " covers " + Name(*other, QString()));
      }
    } else if (auto* check = qobject_cast<QCheckBox*>(widget)) {
      QStyleOptionButton option;
      option.initFrom(check);
      const int box = check->style()->pixelMetric(QStyle::PM_IndicatorWidth, &option, check) +
                      check->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, &option, check);
      if (box + metrics.horizontalAdvance(check->text()) > check->width())
        found.push_back(Name(*check, check->text()) + " is cut");
    } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
      const QString shown = QString(button->text()).remove('&');
      const int margin = button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
      if (metrics.horizontalAdvance(shown) + margin > button->width())
        found.push_back(Name(*button, shown) + " is cut");
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
      QStyleOptionComboBox option;
      option.initFrom(combo);
      const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                         QStyle::SC_ComboBoxEditField, combo);
      for (int i = 0; i < combo->count(); ++i)
        if (metrics.horizontalAdvance(combo->itemText(i)) > field.width())
          found.push_back(Name(*combo, combo->itemText(i)) + " is cut");
    }
    if (!window.rect().contains(widget->geometry()) && !qobject_cast<QLabel*>(widget))
      found.push_back(Name(*widget, QString()) + " runs out of its window");
  }
  return found;
}

// The longest texts the game writes into a dialog at run time.
void FillLongest(CDialog& dialog, int templateId) {
  const std::string medium(res::Text(res::TextId::BoardMedium));
  const std::string kinds = res::FormatText(res::TextId::TileKindsSuffix, 5);
  switch (templateId) {
    case IDD_HIGHSCORES:
      dialog.SetDlgItemText(IDC_HIGHSCORE_TITLE,
                            res::FormatText(res::TextId::HighScoresTitle, {medium, kinds}));
      dialog.SetDlgItemText(IDC_HIGHSCORE_YOURSCORE,
                            res::FormatText(res::TextId::YourScoreLine, 99999));
      break;
    case IDD_NAMEENTRY:
      // "И в а н", as the prompt names the letters of a name typed in Cyrillic.
      dialog.SetDlgItemText(
          IDC_NAME_HINT,
          res::FormatString(IDS_NAME_REFUSED, {"\xD0\x98 \xD0\xB2 \xD0\xB0 \xD0\xBD"}));
      break;
    case IDD_BOARDNUMBER: {
      // Whichever refusal runs longest in this language.
      std::string longest;
      for (const auto id : {res::TextId::BoardNumberEmpty, res::TextId::BoardNumberNotDigits,
                            res::TextId::BoardNumberTooLarge})
        if (res::Text(id).size() > longest.size()) longest = res::Text(id);
      dialog.SetDlgItemText(IDC_BOARDNUMBER_HINT, longest);
      break;
    }
    case IDD_GAMEOVER:
      for (int id = IDC_GAMESCORE_VALUE; id <= IDC_FINALSCORE_VALUE; ++id)
        dialog.SetDlgItemText(id, "99999");
      break;
    default:
      break;
  }
}

class Fit : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override { Speak(GetParam()); }
  void TearDown() override { Speak("en"); }
};

TEST_P(Fit, EveryDialogsTextsFitTheirControls) {
  for (const res::DialogTemplate& dialogTemplate : res::DialogTemplates()) {
    if (dialogTemplate.id == IDD_KAROBLEN_FORM) continue;  // the view, below
    SCOPED_TRACE("dialog " + std::to_string(dialogTemplate.id));
    CDialog dialog(dialogTemplate.id);
    CQtTemplateDialog window(dialogTemplate, dialog, nullptr);
    FillLongest(dialog, dialogTemplate.id);
    window.show();
    QApplication::processEvents();
    for (const std::string& misfit : Misfits(window)) ADD_FAILURE() << misfit;
    const QFontMetrics title(QApplication::font());
    EXPECT_LE(title.horizontalAdvance(window.windowTitle()), window.width())
        << ToStdString(window.windowTitle());
    window.hide();
  }
}

// Qt's own buttons and file dialog speak every shipped language too.
TEST_P(Fit, QtHasItsOwnTranslation) {
  if (GetParam() == "en") return;
  QTranslator qt;
  ASSERT_TRUE(LoadQtTranslation(ToQString(GetParam()), qt));
  EXPECT_FALSE(qt.translate("QPlatformTheme", "&Yes").isEmpty());
  EXPECT_FALSE(qt.translate("QFileDialog", "Look in:").isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Languages, Fit, ::testing::ValuesIn(EnglishAndShipped()),
                         [](const auto& info) { return info.param; });

// The main window in each language, at its smallest.
class FitWindow : public QtAppFixture, public ::testing::WithParamInterface<std::string> {
 protected:
  void SetUp() override {
    Speak(GetParam());
    QtAppFixture::SetUp();
    Window().resize(Window().minimumSize());
    QApplication::processEvents();
  }
  void TearDown() override {
    QtAppFixture::TearDown();
    Speak("en");
  }
};

TEST_P(FitWindow, StatusPromptsAndScoreTextsFit) {
  QLabel* message = nullptr;
  for (QLabel* label : Window().statusBar()->findChildren<QLabel*>())
    if (!message || label->width() > message->width()) message = label;
  ASSERT_NE(message, nullptr);
  const QFontMetrics metrics(message->font());
  for (const res::MenuPopup& popup : res::MainMenu().popups)
    for (const res::MenuItem& item : popup.items) {
      if (item.isSeparator()) continue;
      const QString prompt = ToQString(res::CommandPrompt(item.command));
      EXPECT_LE(metrics.horizontalAdvance(prompt), message->contentsRect().width())
          << ToStdString(prompt);
    }

  View().SetDlgItemText(IDC_SCORE, res::FormatText(res::TextId::ScoreLine, 99999));
  View().SetDlgItemText(IDC_TILESLEFT, res::FormatText(res::TextId::TilesLeftLine, 999));
  View().SetDlgItemText(IDC_SELECTSCORE, res::FormatText(res::TextId::SelectScoreLine, 99999));
  QApplication::processEvents();
  for (const std::string& misfit : Misfits(Window().ViewWidget())) ADD_FAILURE() << misfit;
}

// Every menu's title on the one row of the menu bar, none hidden behind its
// overflow button.
TEST_P(FitWindow, MenuBarShowsEveryMenu) {
  QMenuBar& bar = *Window().menuBar();
  const QList<QAction*> menus = bar.actions();
  ASSERT_FALSE(menus.isEmpty());
  const int row = bar.actionGeometry(menus.front()).y();
  for (QAction* menu : menus) {
    const QRect box = bar.actionGeometry(menu);
    EXPECT_TRUE(bar.rect().contains(box)) << ToStdString(menu->text());
    EXPECT_EQ(box.y(), row) << ToStdString(menu->text());
  }
}

TEST_P(FitWindow, ChromeMirrorsInItsLanguagesDirectionButTheBoardDoesNot) {
  const Qt::LayoutDirection direction = DirectionOf(ToQString(GetParam()));
  EXPECT_EQ(Window().menuBar()->layoutDirection(), direction);
  EXPECT_EQ(Window().statusBar()->layoutDirection(), direction);
  EXPECT_EQ(Window().ViewWidget().layoutDirection(), Qt::LeftToRight);
  if (direction == Qt::RightToLeft) {
    // The first menu stands at the right end of the bar.
    const QList<QAction*> menus = Window().menuBar()->actions();
    ASSERT_FALSE(menus.isEmpty());
    EXPECT_GT(Window().menuBar()->actionGeometry(menus.front()).x(),
              Window().menuBar()->width() / 2);
  }
}

INSTANTIATE_TEST_SUITE_P(Languages, FitWindow, ::testing::ValuesIn(EnglishAndShipped()),
                         [](const auto& info) { return info.param; });

}  // namespace
