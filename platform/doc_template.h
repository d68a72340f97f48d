// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The template that makes the one document, main window and view, and the
// desktop's factory for the windows.
#include <functional>
#include <memory>

#include "platform/document.h"
#include "platform/frame_wnd.h"
#include "platform/view.h"

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
