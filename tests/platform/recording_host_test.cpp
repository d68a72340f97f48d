// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/testing/recording_host.h"

#include <gtest/gtest.h>

#include "platform/framework.h"
#include "res/resource_ids.h"

namespace {

TEST(RecordingHost, DefaultAnswers) {
  CRecordingHost host;
  EXPECT_EQ(AfxMessageBox("Go?", MB_YESNO | MB_ICONQUESTION), IDYES);
  EXPECT_EQ(AfxMessageBox("Done.", MB_OK | MB_ICONINFORMATION, "Title"), IDOK);
  EXPECT_EQ(Host().GetOpenFileName({"Pick", "All|*.*||", "scr", OFN_FILEMUSTEXIST}), std::nullopt);
  EXPECT_EQ(host.events,
            (std::vector<std::string>{"message box \"Go?\" caption \"Karoblen\" yesno question",
                                      "message box \"Done.\" caption \"Title\" ok information",
                                      "file dialog \"Pick\""}));
  EXPECT_EQ(host.fileDialogs.at(0).request.defaultExt, "scr");
}

TEST(RecordingHost, QueuedAnswersAreUsedInOrder) {
  CRecordingHost host;
  host.AnswerMessageBox(IDNO);
  host.AnswerFileDialog("a.scr");
  host.AnswerFileDialog(std::nullopt);
  EXPECT_EQ(AfxMessageBox("1", MB_YESNO), IDNO);
  EXPECT_EQ(AfxMessageBox("2", MB_YESNO), IDYES);
  EXPECT_EQ(host.messageBoxes.at(0).answer, IDNO);
  EXPECT_EQ(host.messageBoxes.at(0).type, MB_YESNO);
  EXPECT_EQ(host.events.at(0), "message box \"1\" caption \"Karoblen\" yesno none");
  EXPECT_EQ(Host().GetOpenFileName({}), "a.scr");
  EXPECT_EQ(Host().GetOpenFileName({}), std::nullopt);
}

TEST(RecordingHost, SoundsPausesAndRepaintsInOrder) {
  CRecordingHost host;
  class CDotView : public CView {
   public:
    void OnDraw(CDC* pDC) override { pDC->FillSolidRect(1, 2, 3, 4, RGB(160, 160, 160)); }
  } view;
  PlayEffect(SND_REMOVE);
  Sleep(100);
  view.RepaintNow();
  view.RepaintNow(true);
  view.RepaintLater();
  EXPECT_EQ(host.events, (std::vector<std::string>{"sound 140", "pause 100", "repaint now",
                                                   "repaint now erase", "repaint later"}));
  EXPECT_EQ(host.paintCount, 2);  // a later repaint is left to the event loop
  EXPECT_EQ(host.lastPaint.Describe(), (std::vector<std::string>{"fill 1,2 3x4 rgb(160,160,160)"}));
}

TEST(RecordingHost, RestoresThePreviousHost) {
  CPlatformHost* before = &Host();
  {
    CRecordingHost outer;
    {
      CRecordingHost inner;
      EXPECT_EQ(&Host(), &inner);
    }
    EXPECT_EQ(&Host(), &outer);
  }
  EXPECT_EQ(&Host(), before);
  // The host that does nothing declines every question.
  EXPECT_EQ(AfxMessageBox("?", MB_YESNO), IDNO);
}

}  // namespace
