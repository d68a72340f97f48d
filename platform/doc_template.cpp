// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/doc_template.h"

#include "platform/host.h"
#include "res/resource_ids.h"
#include "res/string_table.h"

namespace {

// Without a desktop no window can be made, so the application cannot start.
class CNoWindowFactory final : public CWindowFactory {
 public:
  bool CreateMainWindow(int, CFrameWnd&, CView&) override { return false; }
  void ShowMainWindow() override {}
  void CloseMainWindow() override {}
};

CNoWindowFactory g_noWindows;
CWindowFactory* g_windowFactory = &g_noWindows;

void ReportFailedCreation() {
  const char* text = res::LoadString(AFX_IDP_FAILED_TO_CREATE_DOC);
  AfxMessageBox(text ? text : std::string(), MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace

CWindowFactory& WindowFactory() { return *g_windowFactory; }

void SetWindowFactory(CWindowFactory* factory) {
  g_windowFactory = factory ? factory : &g_noWindows;
}

CSingleDocTemplate::CSingleDocTemplate(int resourceId, DocFactory doc, FrameFactory frame,
                                       ViewFactory view)
    : m_nIDResource(resourceId),
      m_makeDoc(std::move(doc)),
      m_makeFrame(std::move(frame)),
      m_makeView(std::move(view)) {}

CSingleDocTemplate::~CSingleDocTemplate() {
  // The view refers to the document and lives inside the frame: tear down
  // from the inside out.
  m_pView.reset();
  m_pFrame.reset();
  m_pDocument.reset();
}

bool CSingleDocTemplate::OpenDocumentFile() {
  const bool first = !m_pDocument;
  if (first) {
    auto document = m_makeDoc ? m_makeDoc() : nullptr;
    auto frame = m_makeFrame ? m_makeFrame() : nullptr;
    auto view = m_makeView ? m_makeView() : nullptr;
    if (!document || !frame || !view) {
      ReportFailedCreation();
      return false;
    }
    view->SetDocument(document.get());
    if (!WindowFactory().CreateMainWindow(m_nIDResource, *frame, *view)) {
      view->AttachSite(nullptr);
      frame->AttachFrameSite(nullptr);
      ReportFailedCreation();
      return false;
    }
    m_pDocument = std::move(document);
    m_pFrame = std::move(frame);
    m_pView = std::move(view);
  }
  if (!m_pDocument->OnNewDocument()) return false;
  m_pView->OnInitialUpdate();
  if (first) WindowFactory().OnFirstInitialUpdate(*m_pFrame, *m_pView);
  return true;
}
