// SPDX-License-Identifier: GPL-3.0-or-later
#include "scores/high_score_dlg.h"

#include <map>
#include <string>

#include "game/rules.h"
#include "platform/testing/recording_host.h"
#include "score_bytes.h"
#include "scores/latin1_text.h"
#include "scratch_directory.h"

namespace {

constexpr int kTable = 147;
constexpr int kPrompt = 148;
constexpr int kNameEdit = 1040;
constexpr int kNameHint = 1045;
const std::string kBlankName = "                ";

class HighScoreDlgTest : public ScratchDirectoryTest {
 protected:
  // Texts of the table dialog's 23 controls at its last showing.
  std::map<int, std::string> ShowTable(CHighScoreDlg& dlg) {
    std::map<int, std::string> texts;
    m_host.OnDialog(kTable, [&texts](CDialog&, CMemoryControlSite& site) {
      for (int id = 1018; id <= 1044; ++id)
        if (id != 1039 && id != 1040 && id != 1042 && id != 1043) texts[id] = site.GetText(id);
    });
    dlg.DoModal();
    return texts;
  }

  // The prompt answers with `typed` and OK, or with Escape when nothing is typed.
  void AnswerPrompt(const std::optional<std::string>& typed) {
    m_host.OnDialog(kPrompt, [this, typed](CDialog&, CMemoryControlSite& site) {
      m_offered = site.GetText(kNameEdit);
      m_offerSelected = site.GetSelStart(kNameEdit) == 0 &&
                        site.GetSelEnd(kNameEdit) == static_cast<int>(m_offered.size()) &&
                        site.GetFocus() == kNameEdit;
      if (!typed) return site.PressEscape();
      site.TypeText(kNameEdit, *typed);
      m_limit = site.GetLimitText(kNameEdit);
      m_hint = site.GetText(kNameHint);
      site.Click(IDOK);
    });
  }

  int Prompts() const { return m_host.Count("dialog 148"); }

  CRecordingHost m_host;
  std::string m_offered;
  bool m_offerSelected = false;
  int m_limit = 0;
  std::string m_hint;
};

TEST_F(HighScoreDlgTest, ConstructionLoadsTheScoreFile) {
  Bytes file = BlankScoreFile();
  PutRecord(file, 0, Record("Zed", 77));
  WriteFileBytes("Karoblen.scr", file);
  CHighScoreDlg dlg;
  EXPECT_STREQ(dlg.Scores().Entry(0, 0).name, "Zed");
  EXPECT_EQ(dlg.Scores().Entry(0, 0).score, 77);
  EXPECT_TRUE(dlg.GetLastName().empty());
}

TEST_F(HighScoreDlgTest, ViewingAsksNothingAndShowsABlankTableWithoutScoreLine) {
  CHighScoreDlg dlg;
  dlg.SetBoard(2, 4);
  dlg.SubmitScore(-1);
  const auto texts = ShowTable(dlg);
  EXPECT_EQ(Prompts(), 0);
  EXPECT_EQ(texts.at(1018), "High Scores for game board Large/4");
  EXPECT_EQ(texts.at(1041), "");
  for (int k = 0; k < 10; ++k) {
    EXPECT_EQ(texts.at(1019 + 2 * k), kBlankName);
    EXPECT_EQ(texts.at(1020 + 2 * k), "0");
  }
  EXPECT_FALSE(FileExists("Karoblen.scr"));

  const char* const titles[3][4] = {{"Small/2", "Small/3", "Small/4", "Small/5"},
                                    {"Medium/2", "Medium/3", "Medium/4", "Medium/5"},
                                    {"Large/2", "Large/3", "Large/4", "Large/5"}};
  for (int size = 0; size < 3; ++size) {
    for (int kinds = 2; kinds <= 5; ++kinds) {
      dlg.SetBoard(size, kinds);
      EXPECT_EQ(ShowTable(dlg).at(1018),
                std::string("High Scores for game board ") + titles[size][kinds - 2]);
    }
  }
}

TEST_F(HighScoreDlgTest, FirstHighScoreClosedWithEscapeIsRecordedWithAnEmptyName) {
  CHighScoreDlg dlg;
  dlg.SetBoard(0, 2);
  AnswerPrompt(std::nullopt);
  dlg.SubmitScore(1);
  EXPECT_EQ(Prompts(), 1);
  EXPECT_EQ(m_offered, "");
  EXPECT_STREQ(dlg.Scores().Entry(0, 0).name, "");
  EXPECT_EQ(dlg.Scores().Entry(0, 0).score, 1);
  const Bytes file = ReadFileBytes("Karoblen.scr");
  ASSERT_EQ(file.size(), 2640u);
  EXPECT_EQ(RecordOf(file, 0), Record("", 1));
}

TEST_F(HighScoreDlgTest, LaterPromptOffersTheLastNameSelectedAndEscapeKeepsIt) {
  CHighScoreDlg dlg;
  dlg.SetBoard(1, 3);
  AnswerPrompt("Alice");
  dlg.SubmitScore(300);
  AnswerPrompt(std::nullopt);
  dlg.SubmitScore(200);
  EXPECT_EQ(m_offered, "Alice");
  EXPECT_TRUE(m_offerSelected);
  AnswerPrompt("Bob");  // typing replaces the selected offer
  dlg.SubmitScore(250);

  const auto texts = ShowTable(dlg);
  EXPECT_EQ(texts.at(1019), "Alice");
  EXPECT_EQ(texts.at(1020), "300");
  EXPECT_EQ(texts.at(1021), "Bob");
  EXPECT_EQ(texts.at(1022), "250");
  EXPECT_EQ(texts.at(1023), "Alice");
  EXPECT_EQ(texts.at(1024), "200");
  EXPECT_EQ(texts.at(1025), kBlankName);
  EXPECT_EQ(texts.at(1041), "Your score: 250");
  EXPECT_EQ(RecordOf(ReadFileBytes("Karoblen.scr"), 40), Record("Alice", 300));
}

TEST_F(HighScoreDlgTest, NameTakesSixteenCharactersAndRefusesTheSeventeenth) {
  CHighScoreDlg dlg;
  dlg.SetBoard(0, 5);
  AnswerPrompt("ABCDEFGHIJKLMNOPQ");
  dlg.SubmitScore(9);
  EXPECT_EQ(m_limit, 16);
  EXPECT_STREQ(dlg.Scores().Entry(9, 0).name, "ABCDEFGHIJKLMNOP");
  EXPECT_EQ(dlg.GetLastName(), "ABCDEFGHIJKLMNOP");

  // Characters, not bytes: sixteen two-byte letters fill the name exactly.
  std::string accents;
  for (int i = 0; i < 17; ++i) accents += "\xC3\xA9";
  AnswerPrompt(accents);
  dlg.SubmitScore(10);
  EXPECT_EQ(std::string(dlg.Scores().Entry(9, 0).name), std::string(16, '\xE9'));
}

TEST_F(HighScoreDlgTest, Utf8NameIsStoredAsLatin1AndShownAsUtf8) {
  CHighScoreDlg dlg;
  dlg.SetBoard(2, 2);
  AnswerPrompt(
      "Ren\xC3\xA9"
      "e 5");
  dlg.SubmitScore(40);
  EXPECT_EQ(
      RecordOf(ReadFileBytes("Karoblen.scr"), 20),
      (Bytes{'R', 'e', 'n', 0xE9, 'e', ' ', '5', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 40}));
  EXPECT_EQ(ShowTable(dlg).at(1019),
            "Ren\xC3\xA9"
            "e 5");
  EXPECT_EQ(m_hint, "");
  // The next prompt offers the name exactly as typed.
  AnswerPrompt(std::nullopt);
  dlg.SubmitScore(41);
  EXPECT_EQ(m_offered,
            "Ren\xC3\xA9"
            "e 5");
  EXPECT_EQ(dlg.GetLastName(), m_offered);
}

// A character the score file cannot keep is taken back as it is typed, with
// a hint beside the field naming it; it is never stored as something else.
TEST_F(HighScoreDlgTest, NameRefusesWhatTheFileCannotKeep) {
  struct Case {
    const char* typed;
    const char* stored;
    const char* refused;
  };
  const Case cases[] = {
      {"\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD", "", "\xD0\x98 \xD0\xB2 \xD0\xB0 \xD0\xBD"},  // Иван
      {"\xC5\x81ukasz Dvo\xC5\x99\xC3\xA1k", "ukasz Dvo\xC3\xA1k", "\xC5\x81 \xC5\x99"},
      {"Ren\xC3\xA9"
       "e \xE2\x82\xAC"
       "5",
       "Ren\xC3\xA9"
       "e 5",
       "\xE2\x82\xAC"},
      // Nine emoji hold nothing the file keeps, and do not use up the limit.
      {"\xF0\x9F\x98\x80\xF0\x9F\x98\x80\xF0\x9F\x98\x80\xF0\x9F\x98\x80\xF0\x9F\x98\x80"
       "\xF0\x9F\x98\x80\xF0\x9F\x98\x80\xF0\x9F\x98\x80\xF0\x9F\x98\x80",
       "", "\xF0\x9F\x98\x80"},
      {"ab\xFF"
       "c",
       "abc", "\xEF\xBF\xBD"},
  };
  int score = 50;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    CHighScoreDlg dlg;
    dlg.SetBoard(1, 3);
    AnswerPrompt(c.typed);
    dlg.SubmitScore(++score);
    EXPECT_EQ(m_hint, std::string("The score file cannot keep ") + c.refused);
    EXPECT_EQ(Latin1ToUtf8(dlg.Scores().Entry(ScoreTableIndex(1, 3), 0).name), c.stored);
    EXPECT_EQ(dlg.GetLastName(), c.stored);
    EXPECT_EQ(ShowTable(dlg).at(1019), c.stored);
  }
}

TEST_F(HighScoreDlgTest, ScoreNotBeatingTheTenthAsksNothingButIsShown) {
  CHighScoreDlg dlg;
  dlg.SetBoard(0, 3);
  dlg.SubmitScore(0);
  EXPECT_EQ(Prompts(), 0);
  EXPECT_FALSE(FileExists("Karoblen.scr"));
  EXPECT_EQ(ShowTable(dlg).at(1041), "Your score: 0");
  dlg.SubmitScore(-12);
  EXPECT_EQ(ShowTable(dlg).at(1041), "");
}

TEST_F(HighScoreDlgTest, PlayedGamesMayEnterTheSameNameAndScoreTwice) {
  CHighScoreDlg dlg;
  dlg.SetBoard(1, 4);
  AnswerPrompt("Sam");
  dlg.SubmitScore(60);
  dlg.SubmitScore(60);
  EXPECT_STREQ(dlg.Scores().Entry(7, 1).name, "Sam");
  EXPECT_EQ(dlg.Scores().Entry(7, 1).score, 60);
}

TEST_F(HighScoreDlgTest, EachShowingRebuildsEveryRowFromItsOwnTable) {
  CHighScoreDlg dlg;
  dlg.Scores().InsertEntry(ScoreTableIndex(2, 4), "Top", 500, false, false);
  dlg.SetBoard(2, 4);
  auto texts = ShowTable(dlg);
  EXPECT_EQ(texts.at(1019), "Top");
  EXPECT_EQ(texts.at(1020), "500");
  EXPECT_EQ(texts.at(1044), "Board 0");
  dlg.SetBoard(0, 2);
  dlg.SetBoardNumber(2147483647);
  texts = ShowTable(dlg);
  EXPECT_EQ(texts.at(1019), kBlankName);
  EXPECT_EQ(texts.at(1020), "0");
  // The board line under the title, which stays as it was.
  EXPECT_EQ(texts.at(1018), "High Scores for game board Small/2");
  EXPECT_EQ(texts.at(1044), "Board 2147483647");
}

// The keyboard that enters the table starts on the entry just made, and on
// the first row when no entry was made.
TEST_F(HighScoreDlgTest, TheNewEntrysRowIsWhereTheKeyboardStarts) {
  CHighScoreDlg dlg;
  dlg.Scores().InsertEntry(ScoreTableIndex(1, 3), "Top", 500, false, false);
  dlg.SetBoard(1, 3);
  const auto currentRowText = [&] {
    int current = -1;
    m_host.OnDialog(
        kTable, [&current](CDialog&, CMemoryControlSite& site) { current = site.currentRowText; });
    dlg.DoModal();
    return current;
  };
  AnswerPrompt("Sam");
  dlg.SubmitScore(300);
  EXPECT_EQ(currentRowText(), 1021);  // the name of the second row
  AnswerPrompt("Sam");
  dlg.SubmitScore(900);
  EXPECT_EQ(currentRowText(), 1019);
  for (int score : {-1, 0}) {  // viewing, and a score that enters no table
    dlg.SubmitScore(score);
    EXPECT_EQ(currentRowText(), 0) << score;
  }
}

TEST_F(HighScoreDlgTest, ContinueButtonClosesTheTable) {
  CHighScoreDlg dlg;
  m_host.OnDialog(kTable, [](CDialog& dialog, CMemoryControlSite& site) {
    EXPECT_EQ(site.GetFocus(), 1039);
    site.Click(1039);
    EXPECT_TRUE(dialog.IsEnding());
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

}  // namespace
