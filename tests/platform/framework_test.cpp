// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/framework.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/testing/headless_window_factory.h"
#include "platform/testing/recording_host.h"
#include "res/resource_ids.h"

namespace {

// Every object of the route writes here, so the order can be checked.
std::vector<std::string> g_route;

constexpr int kViewCommand = 32772;
constexpr int kFrameCommand = 40001;
constexpr int kGreyedCommand = 32773;

class CCountingDoc : public CDocument {
 public:
  bool OnNewDocument() override {
    ++newDocuments;
    g_route.push_back("new document");
    return succeed;
  }
  int newDocuments = 0;
  bool succeed = true;
};

class CTestView : public CFormView {
 public:
  CTestView() : CFormView(IDD_KAROBLEN_FORM) {}
  void OnDraw(CDC* pDC) override { pDC->FillSolidRect(0, 0, 1, 1, RGB(1, 2, 3)); }
  void OnInitialUpdate() override {
    g_route.push_back("initial update");
    CFormView::OnInitialUpdate();
  }
  void OnSize(unsigned, int cx, int cy) override {
    g_route.push_back("size " + std::to_string(cx) + "x" + std::to_string(cy));
  }
  bool OnCmdMsg(int id) override {
    g_route.push_back("view " + std::to_string(id));
    return id == kViewCommand || id == kGreyedCommand;
  }
  bool OnUpdateCmdUI(CCmdUI& ui) override {
    if (ui.m_nID != kGreyedCommand) return false;
    ui.Enable(false);
    return true;
  }
};

class CTestFrame : public CFrameWnd {
 public:
  bool OnCmdMsg(int id) override {
    g_route.push_back("frame " + std::to_string(id));
    return id == kFrameCommand;
  }
  int OnCreate() override {
    if (CFrameWnd::OnCreate() == -1) return -1;
    return m_wndToolBar.CreateEx(this, CBRS_TOP) ? 0 : -1;
  }
  CToolBar m_wndToolBar;
};

class CTestApp : public CWinApp {
 public:
  CTestApp() {
    AddDocTemplate(std::make_unique<CSingleDocTemplate>(
        IDR_MAINFRAME, [] { return std::make_unique<CCountingDoc>(); },
        [] { return std::make_unique<CTestFrame>(); },
        [] { return std::make_unique<CTestView>(); }));
  }
  bool OnCmdMsg(int id) override {
    g_route.push_back("app " + std::to_string(id));
    if (id != ID_FILE_NEW) return false;
    OnFileNew();
    return true;
  }
};

class Framework : public ::testing::Test {
 protected:
  void SetUp() override { g_route.clear(); }
  CRecordingHost host;
  CHeadlessWindowFactory windows;
};

TEST_F(Framework, StartUpBuildsEverythingOnceAndSizesTheViewAfterTheFirstGame) {
  CTestApp app;
  EXPECT_EQ(CWinApp::Current(), &app);
  CCommandLineInfo info;
  app.ParseCommandLine(info);
  ASSERT_TRUE(app.ProcessShellCommand(info));
  // No view or frame exists yet when the first New Game is routed.
  EXPECT_EQ(g_route, (std::vector<std::string>{"app 57600", "new document", "initial update",
                                               "size 632x353"}));
  EXPECT_EQ(app.m_pMainWnd, app.GetDocTemplate()->GetFrame());
  EXPECT_EQ(windows.createStyle & FWS_ADDTOTITLE, FWS_ADDTOTITLE);
  EXPECT_EQ(windows.frameSite.events,
            (std::vector<std::string>{"create toolbar style 0x2800 id 59392"}));
  // The form's controls come from its template.
  EXPECT_EQ(windows.viewSite.GetText(IDC_SCORE), "Score: 0");

  CDocument* document = app.GetDocTemplate()->GetDocument();
  g_route.clear();
  ASSERT_TRUE(app.RouteCommand(ID_FILE_NEW));
  EXPECT_EQ(app.GetDocTemplate()->GetDocument(), document);
  EXPECT_EQ(static_cast<CCountingDoc*>(document)->newDocuments, 2);
  EXPECT_EQ(g_route, (std::vector<std::string>{"view 57600", "frame 57600", "app 57600",
                                               "new document", "initial update"}));
  EXPECT_EQ(host.Count("repaint later"), 2);
}

TEST_F(Framework, CommandsStopAtTheFirstHandler) {
  CTestApp app;
  CCommandLineInfo info;
  ASSERT_TRUE(app.ProcessShellCommand(info));
  g_route.clear();
  EXPECT_TRUE(app.RouteCommand(kViewCommand));
  EXPECT_TRUE(app.RouteCommand(kFrameCommand));
  EXPECT_FALSE(app.RouteCommand(12345));
  EXPECT_EQ(g_route, (std::vector<std::string>{"view 32772", "view 40001", "frame 40001",
                                               "view 12345", "frame 12345", "app 12345"}));
}

TEST_F(Framework, GreyedCommandsAreNotDelivered) {
  CTestApp app;
  CCommandLineInfo info;
  ASSERT_TRUE(app.ProcessShellCommand(info));
  g_route.clear();
  EXPECT_FALSE(app.IsCommandEnabled(kGreyedCommand));
  EXPECT_TRUE(app.IsCommandEnabled(kViewCommand));
  EXPECT_FALSE(app.RouteCommand(kGreyedCommand));
  EXPECT_TRUE(g_route.empty());
}

TEST_F(Framework, ExitClosesTheMainWindowWhenNobodyHandlesIt) {
  CTestApp app;
  CCommandLineInfo info;
  ASSERT_TRUE(app.ProcessShellCommand(info));
  EXPECT_FALSE(windows.closed);
  EXPECT_TRUE(app.RouteCommand(ID_APP_EXIT));
  EXPECT_TRUE(windows.closed);
  EXPECT_EQ(windows.events.back(), "close");
}

TEST_F(Framework, FailedWindowCreationFailsStartUpWithAMessage) {
  windows.frameSite.failCreateToolBar = true;
  CTestApp app;
  CCommandLineInfo info;
  EXPECT_FALSE(app.ProcessShellCommand(info));
  EXPECT_EQ(app.GetDocTemplate()->GetDocument(), nullptr);
  EXPECT_EQ(app.m_pMainWnd, nullptr);
  EXPECT_EQ(windows.events, (std::vector<std::string>{"create 128 failed"}));
  EXPECT_EQ(
      host.events,
      (std::vector<std::string>{
          "message box \"Failed to create empty document.\" caption \"Karoblen\" ok exclamation"}));
}

TEST_F(Framework, RefusedNewDocumentSkipsTheInitialUpdate) {
  CTestApp app;
  CCommandLineInfo info;
  ASSERT_TRUE(app.ProcessShellCommand(info));
  static_cast<CCountingDoc*>(app.GetDocTemplate()->GetDocument())->succeed = false;
  g_route.clear();
  EXPECT_FALSE(app.GetDocTemplate()->OpenDocumentFile());
  EXPECT_EQ(g_route, (std::vector<std::string>{"new document"}));
}

TEST(FrameBars, ForwardToTheFrameSite) {
  CMemoryFrameSite site;
  CFrameWnd frame;
  CToolBar toolBar;
  CStatusBar statusBar;
  EXPECT_FALSE(toolBar.CreateEx(&frame, CBRS_TOP));  // no window yet
  frame.AttachFrameSite(&site);
  ASSERT_TRUE(toolBar.CreateEx(&frame, CBRS_TOP));
  ASSERT_TRUE(toolBar.LoadToolBar(IDR_MAINFRAME));
  ASSERT_TRUE(statusBar.Create(&frame, CBRS_BOTTOM));
  const int indicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};
  ASSERT_TRUE(statusBar.SetIndicators(indicators, 4));
  toolBar.SetBarStyle(toolBar.GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC);
  toolBar.EnableDocking(CBRS_ALIGN_ANY);
  frame.EnableDocking(CBRS_ALIGN_ANY);
  frame.DockControlBar(&toolBar);
  frame.InvalidateClient(true);
  frame.RecalcLayout();
  EXPECT_EQ(site.events,
            (std::vector<std::string>{"create toolbar style 0x2800 id 59392", "load toolbar 128",
                                      "create status bar style 0x8200 id 59393",
                                      "indicators 0 59137 59138 59139", "toolbar style 0x2834",
                                      "toolbar docking 0xf000", "frame docking 0xf000",
                                      "dock toolbar", "invalidate erase", "layout"}));
}

}  // namespace
