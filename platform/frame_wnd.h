// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window with its tool bar and status bar, over the frame site the
// desktop provides.
#include "platform/afx_types.h"
#include "platform/command_target.h"
#include "platform/wnd.h"

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
