#pragma once
// The single-document application: one application object, one document, one
// main window with its bars, and one form view, made by one template.
// Commands travel view -> document -> main window -> application; the
// document of this game handles none, so the route skips it.
#include <functional>
#include <memory>
#include <string>

#include "game/document.h"
#include "platform/afx_types.h"
#include "platform/dc.h"
#include "platform/wnd.h"

// Enables or greys one command; the platform applies the state to the menu
// item and the toolbar button of the command together.
class CCmdUI {
 public:
  explicit CCmdUI(int id) : m_nID(id) {}
  void Enable(bool on = true) {
    m_bEnabled = on;
    m_bHandled = true;
  }
  // A command that is set on or off; the menu shows a check mark when on.
  void SetCheck(int check = 1) {
    m_nCheck = check;
    m_bHandled = true;
  }
  int m_nID;
  bool m_bEnabled = true;
  bool m_bHandled = false;
  int m_nCheck = -1;  // never set: the command is not one that is on or off
};

class CCmdTarget {
 public:
  virtual ~CCmdTarget() = default;
  // True when the command was handled here.
  virtual bool OnCmdMsg(int) { return false; }
  // True when this target decided the command's state.
  virtual bool OnUpdateCmdUI(CCmdUI&) { return false; }
};

class CView : public CWnd, public CCmdTarget {
 public:
  CDocument* GetDocument() const { return m_pDocument; }
  void SetDocument(CDocument* document) { m_pDocument = document; }

  virtual void OnDraw(CDC* pDC) = 0;
  virtual void OnInitialUpdate() { RepaintLater(); }
  // `type` is passed on untouched; cx, cy are the client size in pixels.
  virtual void OnSize(unsigned, int, int) {}
  virtual void OnMouseMove(unsigned, CPoint) {}
  // The pointer left the view's client area.
  virtual void OnMouseLeave() {}
  virtual void OnLButtonDown(unsigned, CPoint) {}
  // The second press of a double-click comes here instead of to
  // OnLButtonDown; a view that does not handle it ignores that press.
  virtual void OnLButtonDblClk(unsigned, CPoint) {}
  // nChar is a VK_* code; nFlags carries KF_REPEAT for an auto-repeated key.
  virtual void OnKeyDown(unsigned /*nChar*/, unsigned /*nRepCnt*/, unsigned /*nFlags*/) {}

 private:
  CDocument* m_pDocument = nullptr;
};

// A view whose controls come from a dialog template.
class CFormView : public CView {
 public:
  explicit CFormView(int templateId) : m_nIDTemplate(templateId) {}
  int GetTemplateId() const { return m_nIDTemplate; }

  virtual void DoDataExchange(CDataExchange*) {}
  bool UpdateData(bool saveAndValidate = true);
  // Binds the controls (UpdateData(false)) and repaints.
  void OnInitialUpdate() override;

 private:
  int m_nIDTemplate;
};

// Bar styles.
inline constexpr unsigned CBRS_SIZE_DYNAMIC = 0x0004;
inline constexpr unsigned CBRS_TOOLTIPS = 0x0010;
inline constexpr unsigned CBRS_FLYBY = 0x0020;
inline constexpr unsigned CBRS_BORDER_TOP = 0x0200;
inline constexpr unsigned CBRS_BORDER_BOTTOM = 0x0800;
inline constexpr unsigned CBRS_ALIGN_LEFT = 0x1000;
inline constexpr unsigned CBRS_ALIGN_TOP = 0x2000;
inline constexpr unsigned CBRS_ALIGN_RIGHT = 0x4000;
inline constexpr unsigned CBRS_ALIGN_BOTTOM = 0x8000;
inline constexpr unsigned CBRS_ALIGN_ANY = 0xF000;
inline constexpr unsigned CBRS_TOP = CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM;
inline constexpr unsigned CBRS_BOTTOM = CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP;
inline constexpr unsigned FWS_ADDTOTITLE = 0x8000;
inline constexpr int AFX_IDW_TOOLBAR = 59392;
inline constexpr int AFX_IDW_STATUS_BAR = 59393;

// What a main window offers its code; the Qt layer implements it with a
// QMainWindow, tests with a recording fake.
class CFrameSite {
 public:
  virtual ~CFrameSite() = default;
  virtual bool CreateToolBar(unsigned style, int id) = 0;
  virtual bool LoadToolBar(int resourceId) = 0;
  virtual void SetToolBarStyle(unsigned style) = 0;
  virtual void EnableToolBarDocking(unsigned sides) = 0;
  virtual void EnableFrameDocking(unsigned sides) = 0;
  virtual void DockToolBar() = 0;
  virtual bool CreateStatusBar(unsigned style, int id) = 0;
  virtual bool SetIndicators(const int* ids, int count) = 0;
  virtual void InvalidateClient(bool erase) = 0;
  // Lays out bars and view; called by CFrameWnd::RecalcLayout.
  virtual void LayoutBars() = 0;
};

struct CREATESTRUCT {
  unsigned style = 0;
};

struct MINMAXINFO {
  CPoint ptMinTrackSize;
  CPoint ptMaxTrackSize;
};

class CToolBar {
 public:
  bool CreateEx(class CFrameWnd* parent, unsigned style, int id = AFX_IDW_TOOLBAR);
  bool LoadToolBar(int resourceId);
  unsigned GetBarStyle() const { return m_dwStyle; }
  void SetBarStyle(unsigned style);
  void EnableDocking(unsigned sides);

 private:
  CFrameSite* m_pSite = nullptr;
  unsigned m_dwStyle = 0;
};

class CStatusBar {
 public:
  bool Create(class CFrameWnd* parent, unsigned style = CBRS_BOTTOM, int id = AFX_IDW_STATUS_BAR);
  bool SetIndicators(const int* ids, int count);

 private:
  CFrameSite* m_pSite = nullptr;
};

class CFrameWnd : public CWnd, public CCmdTarget {
 public:
  void AttachFrameSite(CFrameSite* site) { m_pFrameSite = site; }
  CFrameSite* GetFrameSite() const { return m_pFrameSite; }

  virtual bool PreCreateWindow(CREATESTRUCT& cs);
  // 0 to go on, -1 to abort the creation of the window.
  virtual int OnCreate() { return m_pFrameSite ? 0 : -1; }
  virtual void OnGetMinMaxInfo(MINMAXINFO*) {}
  virtual void RecalcLayout(bool notify = true);

  void EnableDocking(unsigned sides);
  void DockControlBar(CToolBar* bar);
  void InvalidateClient(bool erase);

 private:
  CFrameSite* m_pFrameSite = nullptr;
};

class CWinApp;

// Builds the document, main window and view on the first New Game and
// reuses them afterwards.
class CSingleDocTemplate {
 public:
  using DocFactory = std::function<std::unique_ptr<CDocument>()>;
  using FrameFactory = std::function<std::unique_ptr<CFrameWnd>()>;
  using ViewFactory = std::function<std::unique_ptr<CView>()>;

  CSingleDocTemplate(int resourceId, DocFactory doc, FrameFactory frame, ViewFactory view);
  ~CSingleDocTemplate();

  int GetResourceId() const { return m_nIDResource; }
  // A new game: creates everything the first time (asking the platform for
  // the windows), then calls OnNewDocument and the view's initial update.
  bool OpenDocumentFile();

  CDocument* GetDocument() const { return m_pDocument.get(); }
  CFrameWnd* GetFrame() const { return m_pFrame.get(); }
  CView* GetView() const { return m_pView.get(); }

 private:
  int m_nIDResource;
  DocFactory m_makeDoc;
  FrameFactory m_makeFrame;
  ViewFactory m_makeView;
  std::unique_ptr<CDocument> m_pDocument;
  std::unique_ptr<CFrameWnd> m_pFrame;
  std::unique_ptr<CView> m_pView;
};

// What the application needs from the desktop to put up the windows; the Qt
// layer implements it, tests use a headless fake.
class CWindowFactory {
 public:
  virtual ~CWindowFactory() = default;
  // Creates the main window with its menu, accelerators and icon (all
  // `resourceId`) hosting `view`; calls frame.PreCreateWindow and OnCreate.
  // False when the window could not be created.
  virtual bool CreateMainWindow(int resourceId, CFrameWnd& frame, CView& view) = 0;
  virtual void ShowMainWindow() = 0;
  virtual void CloseMainWindow() = 0;
  // Called once, after the view's first OnInitialUpdate: the view lays
  // itself out on the size notification that must follow the first game.
  virtual void OnFirstInitialUpdate(CFrameWnd&, CView&) {}
};

CWindowFactory& WindowFactory();
void SetWindowFactory(CWindowFactory* factory);

class CCommandLineInfo {
 public:
  enum Shell { FileNew, FileNothing };
  Shell m_nShellCommand = FileNew;
};

class CWinApp : public CCmdTarget {
 public:
  CWinApp();
  ~CWinApp() override;

  static CWinApp* Current();

  virtual bool InitInstance() { return true; }

  void AddDocTemplate(std::unique_ptr<CSingleDocTemplate> docTemplate);
  CSingleDocTemplate* GetDocTemplate() const { return m_pDocTemplate.get(); }
  // Start-up steps of a desktop application that have nothing to do on
  // this desktop: no embedded controls, no per-user settings are kept.
  void AfxEnableControlContainer() {}
  void Enable3dControls() {}
  void SetRegistryKey(const std::string& key) { m_strRegistryKey = key; }
  void LoadStdProfileSettings(int) {}

  void ParseCommandLine(CCommandLineInfo& info) {
    info.m_nShellCommand = CCommandLineInfo::FileNew;
  }
  bool ProcessShellCommand(CCommandLineInfo& info);
  // The framework's New: a new game on the one document.
  void OnFileNew();

  CFrameWnd* m_pMainWnd = nullptr;
  std::string m_pszAppName = "Karoblen";
  std::string m_strRegistryKey;

  // Routes a command: view, main window, application. False when nobody
  // handled it (ID_APP_EXIT is the framework's own and closes the window).
  bool RouteCommand(int id);
  // Asks the same route whether command `id` is enabled, and whether it is
  // on (1) or off (0); -1 for a command that is not one to set on or off.
  bool IsCommandEnabled(int id);
  int GetCommandCheck(int id);

 private:
  CCmdUI QueryCommand(int id);

  std::unique_ptr<CSingleDocTemplate> m_pDocTemplate;
};

// Runs the application: InitInstance, then the event loop. Returns the exit code.
int AfxWinMain(CWinApp& app, int argc, char** argv);
