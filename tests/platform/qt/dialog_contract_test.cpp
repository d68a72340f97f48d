// SPDX-License-Identifier: GPL-3.0-or-later
// The modal-dialog protocol the game relies on, run against both sides that
// implement it: the recording host with its in-memory controls, which the
// game's own tests use, and the Qt host with real widgets on the offscreen
// platform. A case that passes on one side only shows which side is wrong.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/dialog.h"
#include "platform/qt/common/qt_text.h"
#include "platform/qt/dialogs/template_dialog.h"
#include "platform/qt/qt_host.h"
#include "platform/testing/recording_host.h"
#include "qt_test_support.h"
#include "res/resource_ids.h"

namespace {

// One side of the protocol, and a player acting in its dialogs.
class CDialogSide {
 public:
  virtual ~CDialogSide() = default;
  // Runs `dialog` modally. `player`, when given, acts once the dialog is up
  // and must end it; without one, the dialog must end itself by its timer.
  virtual int RunModal(CDialog& dialog, const std::function<void()>& player = {}) = 0;
  // Types into the edit over its selection, or at its caret.
  virtual void Type(int id, const std::string& text) = 0;
  // Selects the edit's whole text and types over it.
  virtual void TypeOver(int id, const std::string& text) = 0;
  // Picks the next or previous item of a combo box, as the arrow keys do.
  virtual void Pick(int id, int index) = 0;
  virtual void Click(int id) = 0;
  virtual void ClickDialogAt(CPoint at) = 0;
  virtual void PressEnter() = 0;
  virtual void PressEscape() = 0;
  virtual void RequestClose() = 0;
  // Shows a message box and presses the button of `answer` (IDYES, IDNO or
  // IDOK). Returns what the caller is told; `shown` gets the box's text.
  virtual int AnswerMessageBox(const std::string& text, unsigned type, int answer,
                               std::string& shown) = 0;
};

class CMemorySide : public CDialogSide {
 public:
  int RunModal(CDialog& dialog, const std::function<void()>& player) override {
    m_host.OnDialog(dialog.GetTemplateId(), nullptr);
    if (player) {
      m_host.OnDialog(dialog.GetTemplateId(), [this, player](CDialog&, CMemoryControlSite& site) {
        m_pSite = &site;
        player();
        m_pSite = nullptr;
      });
    }
    return m_host.RunModal(dialog);
  }
  void Type(int id, const std::string& text) override { m_pSite->TypeText(id, text); }
  void TypeOver(int id, const std::string& text) override { m_pSite->ReplaceText(id, text); }
  void Pick(int id, int index) override { m_pSite->Select(id, index); }
  void Click(int id) override { m_pSite->Click(id); }
  void ClickDialogAt(CPoint at) override { m_pSite->GetDialog()->OnLButtonDown(MK_LBUTTON, at); }
  void PressEnter() override { m_pSite->PressEnter(); }
  void PressEscape() override { m_pSite->PressEscape(); }
  void RequestClose() override { m_pSite->GetDialog()->OnClose(); }
  int AnswerMessageBox(const std::string& text, unsigned type, int answer,
                       std::string& shown) override {
    m_host.AnswerMessageBox(answer);
    const int result = m_host.MessageBox(nullptr, text, "Karoblen", type);
    shown = m_host.messageBoxes.back().text;
    return result;
  }

 private:
  CRecordingHost m_host;
  CMemoryControlSite* m_pSite = nullptr;
};

class CQtSide : public CDialogSide {
 public:
  // Long enough for any case on a loaded machine; a dialog still up by then
  // is a failure, and is cancelled so that the run goes on.
  static constexpr int kWatchdogMs = 10000;

  int RunModal(CDialog& dialog, const std::function<void()>& player) override {
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
      if (!Window()) return;
      poll.stop();
      if (player) player();
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] {
      ADD_FAILURE() << "the dialog did not end";
      if (CQtTemplateDialog* window = Window()) window->done(-1);
    });
    poll.start();
    watchdog.start(kWatchdogMs);
    return m_host.RunModal(dialog);
  }
  void Type(int id, const std::string& text) override {
    QWidget* edit = Widget(id);
    ASSERT_NE(qobject_cast<QLineEdit*>(edit), nullptr);
    // Character by character, as a keyboard would send them; QTest's own
    // typing knows ASCII only.
    for (const QChar c : ToQString(text)) {
      QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
      QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
      QApplication::sendEvent(edit, &press);
      QApplication::sendEvent(edit, &release);
    }
  }
  void TypeOver(int id, const std::string& text) override {
    auto* edit = qobject_cast<QLineEdit*>(Widget(id));
    ASSERT_NE(edit, nullptr);
    edit->setFocus();
    edit->selectAll();
    Type(id, text);
  }
  void Pick(int id, int index) override {
    auto* combo = qobject_cast<QComboBox*>(Widget(id));
    ASSERT_NE(combo, nullptr);
    ASSERT_EQ(std::abs(combo->currentIndex() - index), 1) << "one step at a time";
    combo->setFocus();
    QTest::keyClick(combo, index > combo->currentIndex() ? Qt::Key_Down : Qt::Key_Up);
  }
  void Click(int id) override {
    // A player cannot reach what is not on the screen.
    if (QWidget* widget = Widget(id); widget && widget->isVisible())
      QTest::mouseClick(widget, Qt::LeftButton);
  }
  void ClickDialogAt(CPoint at) override {
    QTest::mouseClick(Window(), Qt::LeftButton, {}, QPoint(at.x, at.y));
  }
  void PressEnter() override { QTest::keyClick(Focused(), Qt::Key_Return); }
  void PressEscape() override { QTest::keyClick(Focused(), Qt::Key_Escape); }
  void RequestClose() override { Window()->close(); }
  int AnswerMessageBox(const std::string& text, unsigned type, int answer,
                       std::string& shown) override {
    WhenModalShown<QMessageBox>([&shown, answer](QMessageBox* box) {
      shown = ToStdString(box->text());
      const auto button = answer == IDYES  ? QMessageBox::Yes
                          : answer == IDNO ? QMessageBox::No
                                           : QMessageBox::Ok;
      box->button(button)->click();
    });
    return m_host.MessageBox(nullptr, text, "Karoblen", type);
  }

 private:
  static CQtTemplateDialog* Window() {
    return dynamic_cast<CQtTemplateDialog*>(QApplication::activeModalWidget());
  }
  static QWidget* Widget(int id) { return Window()->Site().Widget(id); }
  static QWidget* Focused() {
    QWidget* focus = Window()->focusWidget();
    return focus ? focus : Window();
  }

  CQtHost m_host;
};

std::unique_ptr<CDialogSide> MakeSide(const std::string& name) {
  if (name == "memory") return std::make_unique<CMemorySide>();
  return std::make_unique<CQtSide>();
}

class DialogContract : public testing::TestWithParam<std::string> {
 protected:
  void SetUp() override { side = MakeSide(GetParam()); }
  void TearDown() override { side.reset(); }
  std::unique_ptr<CDialogSide> side;
};

// Records what the platform delivers to it.
class CProbeDialog : public CDialog {
 public:
  explicit CProbeDialog(int templateId) : CDialog(templateId) {}
  void OnCancel() override {
    trace.push_back("cancel");
    CDialog::OnCancel();
  }
  void OnCommand(int id, int code) override {
    trace.push_back(std::to_string(id) + "/" + std::to_string(code));
    if (endOnCommand != 0) EndDialog(endOnCommand);
  }
  void OnLButtonDown(unsigned flags, CPoint at) override {
    trace.push_back("click " + std::to_string(flags) + " " + std::to_string(at.x) + "," +
                    std::to_string(at.y));
    SendClose();
  }
  void OnDestroy() override { trace.push_back(HasWindow() ? "destroy" : "destroy without window"); }
  std::vector<std::string> trace;
  int endOnCommand = 0;  // a result to end with from a button's handler
};

// A name prompt like the game's: one edit, 16 characters at most.
class CNameDialog : public CProbeDialog {
 public:
  CNameDialog() : CProbeDialog(IDD_NAMEENTRY) {}
  void DoDataExchange(CDataExchange* pDX) override {
    DDX_Control(pDX, IDC_NAME, m_editName);
    DDX_Text(pDX, IDC_NAME, m_strName);
    DDV_MaxChars(pDX, m_strName, 16);
  }
  CEdit m_editName;
  std::string m_strName = "Ann";
};

class COptionsLikeDialog : public CProbeDialog {
 public:
  COptionsLikeDialog() : CProbeDialog(IDD_OPTIONS) {}
  void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, IDC_BOARDSIZE, m_cbSize); }
  CComboBox m_cbSize;
};

// Ends itself after a number of timer ticks, like the game-over tally.
class CTickingDialog : public CProbeDialog {
 public:
  explicit CTickingDialog(int ticksToRun) : CProbeDialog(IDD_GAMEOVER), m_nTicksToRun(ticksToRun) {}
  bool OnInitDialog() override {
    CDialog::OnInitDialog();
    hiddenAtStart = !GetSite()->IsVisible(IDC_GAMESCORE_VALUE);
    SetTimer(1, 10);
    return true;
  }
  void OnTimer(int timerId) override {
    ticks.push_back(timerId);
    GetSite()->Show(IDC_GAMESCORE_VALUE, true);
    SetDlgItemText(IDC_GAMESCORE_VALUE, std::to_string(ticks.size()));
    if (static_cast<int>(ticks.size()) == m_nTicksToRun) EndDialog(IDOK);
  }
  void OnDestroy() override {
    KillTimer(1);
    destroyedWithText = GetDlgItemText(IDC_GAMESCORE_VALUE);
  }
  std::vector<int> ticks;
  bool hiddenAtStart = false;
  std::string destroyedWithText;

 private:
  int m_nTicksToRun;
};

TEST_P(DialogContract, ControlsComeFromTheTemplateWithTheirTextsListsAndStates) {
  CProbeDialog options(IDD_OPTIONS);
  side->RunModal(options, [&] {
    CControlSite& site = *options.GetSite();
    EXPECT_EQ(site.GetText(IDC_TILESET_BROWSE), "...");
    EXPECT_FALSE(site.IsEnabled(IDC_SOUNDFX));
    // Filled in the template's order, unsorted, with nothing chosen yet.
    ASSERT_EQ(site.GetCount(IDC_BOARDSIZE), 3);
    EXPECT_EQ(site.GetItemText(IDC_BOARDSIZE, 0), "Small");
    EXPECT_EQ(site.GetItemText(IDC_BOARDSIZE, 2), "Large");
    ASSERT_EQ(site.GetCount(IDC_TILEKINDS), 4);
    EXPECT_EQ(site.GetItemText(IDC_TILEKINDS, 3), "5 Tiles");
    EXPECT_EQ(site.GetCurSel(IDC_BOARDSIZE), -1);
    // OnInitDialog said true: the first control that takes the focus has it.
    EXPECT_EQ(site.GetFocus(), IDOK);
    side->Click(IDCANCEL);
  });

  CProbeDialog tally(IDD_GAMEOVER);
  side->RunModal(tally, [&] {
    CControlSite& site = *tally.GetSite();
    for (int id = IDC_GAMESCORE_VALUE; id <= IDC_FINALSCORE_LABEL; ++id)
      EXPECT_FALSE(site.IsVisible(id)) << id;
    EXPECT_EQ(site.GetText(IDC_BONUS_LABEL), "Bonus");
    site.Show(IDC_BONUS_LABEL, true);
    EXPECT_TRUE(site.IsVisible(IDC_BONUS_LABEL));
    side->PressEscape();
  });
}

TEST_P(DialogContract, FocusAfterInitialisingIsTheFirstControlThatTakesIt) {
  const struct {
    int templateId, focus;
  } cases[] = {{IDD_ABOUTBOX, IDOK},
               {IDD_OPTIONS, IDOK},
               {IDD_GAMEOVER, 0},
               {IDD_HIGHSCORES, IDC_HIGHSCORE_CONTINUE},
               {IDD_NAMEENTRY, IDOK}};
  for (const auto& tc : cases) {
    CProbeDialog dialog(tc.templateId);
    side->RunModal(dialog, [&] {
      EXPECT_EQ(dialog.GetSite()->GetFocus(), tc.focus) << tc.templateId;
      side->RequestClose();
    });
  }
}

TEST_P(DialogContract, NameOfferedSelectedIsReplacedByWhatIsTyped) {
  // As the game's name prompt: the focus and the selection are its own.
  class COfferingDialog : public CNameDialog {
   public:
    bool OnInitDialog() override {
      CDialog::OnInitDialog();
      m_editName.SetFocus();
      m_editName.SetSel(0, -1);
      return false;
    }
  } dialog;
  dialog.m_strName = "Previous";
  side->RunModal(dialog, [&] {
    EXPECT_EQ(dialog.GetSite()->GetFocus(), IDC_NAME);
    side->Type(IDC_NAME, "Zed");
    side->PressEnter();
  });
  EXPECT_EQ(dialog.m_strName, "Zed");
}

TEST_P(DialogContract, EveryWayOutEndsWithItsValueAndThenDestroys) {
  using Trace = std::vector<std::string>;
  const struct {
    const char* name;
    std::function<void(CDialogSide&, CProbeDialog&)> act;
    int result;
    Trace trace;
  } cases[] = {
      {"OK button", [](CDialogSide& s, CProbeDialog&) { s.Click(IDOK); }, IDOK, {"destroy"}},
      {"Cancel button",
       [](CDialogSide& s, CProbeDialog&) { s.Click(IDCANCEL); },
       IDCANCEL,
       {"cancel", "destroy"}},
      {"Enter", [](CDialogSide& s, CProbeDialog&) { s.PressEnter(); }, IDOK, {"destroy"}},
      // Enter goes to the dialog from a list too: the options are taken.
      {"Enter in a list",
       [](CDialogSide& s, CProbeDialog&) {
         s.Pick(IDC_BOARDSIZE, 0);
         s.PressEnter();
       },
       IDOK,
       {"1005/1", "destroy"}},
      {"Escape",
       [](CDialogSide& s, CProbeDialog&) { s.PressEscape(); },
       IDCANCEL,
       {"cancel", "destroy"}},
      {"close box",
       [](CDialogSide& s, CProbeDialog&) { s.RequestClose(); },
       IDCANCEL,
       {"cancel", "destroy"}},
      {"handler",
       [](CDialogSide& s, CProbeDialog& d) {
         d.endOnCommand = 42;
         s.Click(IDC_TILESET_BROWSE);
       },
       42,
       {"1008/0", "destroy"}},
      // Another button, then a disabled one, which cannot be pressed.
      {"buttons",
       [](CDialogSide& s, CProbeDialog&) {
         s.Click(IDC_TILESET_BROWSE);
         s.Click(IDC_SOUNDFX);
         s.Click(IDCANCEL);
       },
       IDCANCEL,
       {"1008/0", "cancel", "destroy"}},
  };
  for (const auto& tc : cases) {
    CProbeDialog dialog(IDD_OPTIONS);
    EXPECT_EQ(side->RunModal(dialog, [&] { tc.act(*side, dialog); }), tc.result) << tc.name;
    EXPECT_EQ(dialog.trace, tc.trace) << tc.name;
    EXPECT_FALSE(dialog.HasWindow()) << tc.name;
  }
}

TEST_P(DialogContract, DialogEndedWhileInitialisingIsNeverWaitedFor) {
  class CAtOnceDialog : public CProbeDialog {
   public:
    CAtOnceDialog() : CProbeDialog(IDD_ABOUTBOX) {}
    bool OnInitDialog() override {
      EndDialog(IDOK);
      return true;
    }
  } dialog;
  EXPECT_EQ(side->RunModal(dialog), IDOK);
  EXPECT_EQ(dialog.trace, (std::vector<std::string>{"destroy"}));
}

TEST_P(DialogContract, NameIsExchangedLimitedAndKeptOnEscape) {
  CNameDialog dialog;
  dialog.m_strName = "J\xC3\xBCrgen";  // Jürgen
  EXPECT_EQ(side->RunModal(dialog,
                           [&] {
                             CControlSite& site = *dialog.GetSite();
                             EXPECT_EQ(site.GetText(IDC_NAME), "J\xC3\xBCrgen");
                             EXPECT_EQ(site.GetLimitText(IDC_NAME), 16);
                             EXPECT_EQ(dialog.m_editName.GetDlgCtrlID(), IDC_NAME);
                             EXPECT_EQ(site.GetFocus(), IDOK);
                             side->TypeOver(IDC_NAME, "Bartholomew Smithers");
                             side->PressEscape();
                           }),
            IDCANCEL);
  EXPECT_EQ(dialog.m_strName, "J\xC3\xBCrgen");

  std::string twenty;
  for (int i = 0; i < 20; ++i) twenty += "\xC3\xA9";  // é, two bytes each
  EXPECT_EQ(side->RunModal(dialog,
                           [&] {
                             side->TypeOver(IDC_NAME, twenty);
                             side->PressEnter();
                           }),
            IDOK);
  EXPECT_EQ(Utf8Length(dialog.m_strName), 16);
  EXPECT_EQ(dialog.m_strName.size(), 32u);

  side->RunModal(dialog, [&] {
    // Text from code is not held to the edit's limit; the exchange is.
    dialog.GetSite()->SetText(IDC_NAME,
                              "\xE2\x82\xAC"
                              "bcdefghijklmnopqrstu");
    side->Click(IDOK);
  });
  EXPECT_EQ(dialog.m_strName,
            "\xE2\x82\xAC"
            "bcdefghijklmnop");
}

TEST_P(DialogContract, OnlyThePlayersChoiceInAListNotifies) {
  COptionsLikeDialog dialog;
  side->RunModal(dialog, [&] {
    dialog.m_cbSize.SetCurSel(1);  // from code: no notification
    EXPECT_EQ(dialog.m_cbSize.GetCurSel(), 1);
    side->Pick(IDC_BOARDSIZE, 2);
    EXPECT_EQ(dialog.m_cbSize.GetCurSel(), 2);
    EXPECT_EQ(dialog.m_cbSize.GetLBText(2), "Large");
    side->Click(IDOK);
  });
  EXPECT_EQ(dialog.trace, (std::vector<std::string>{"1005/1", "destroy"}));
}

TEST_P(DialogContract, TimedDialogTicksUntilItEndsItselfAndNeverAfter) {
  CTickingDialog dialog(5);
  EXPECT_EQ(side->RunModal(dialog), IDOK);
  EXPECT_EQ(dialog.ticks, (std::vector<int>{1, 1, 1, 1, 1}));
  EXPECT_TRUE(dialog.hiddenAtStart);
  EXPECT_EQ(dialog.destroyedWithText, "5");
  QTest::qWait(40);
  EXPECT_EQ(dialog.ticks.size(), 5u);
}

TEST_P(DialogContract, ClickOnATimedDialogReachesItAndEndsIt) {
  CTickingDialog dialog(1000);
  EXPECT_EQ(side->RunModal(dialog, [&] { side->ClickDialogAt({12, 7}); }), IDCANCEL);
  ASSERT_FALSE(dialog.trace.empty());
  EXPECT_EQ(dialog.trace.front(), "click 1 12,7");
  const std::size_t ticks = dialog.ticks.size();
  QTest::qWait(40);
  EXPECT_EQ(dialog.ticks.size(), ticks);
}

TEST_P(DialogContract, MessageBoxesTellTheAnswer) {
  const struct {
    unsigned type;
    int answer;
  } cases[] = {{MB_YESNO | MB_ICONQUESTION, IDYES},
               {MB_YESNO | MB_ICONQUESTION, IDNO},
               {MB_OK | MB_ICONEXCLAMATION, IDOK}};
  for (const auto& tc : cases) {
    std::string shown;
    EXPECT_EQ(side->AnswerMessageBox("Merge?", tc.type, tc.answer, shown), tc.answer) << tc.answer;
    EXPECT_EQ(shown, "Merge?");
  }
}

INSTANTIATE_TEST_SUITE_P(Sides, DialogContract, testing::Values("memory", "qt"),
                         [](const testing::TestParamInfo<std::string>& info) {
                           return info.param;
                         });

}  // namespace
