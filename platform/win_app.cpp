// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/win_app.h"

#include "res/resource_ids.h"
#include "res/string_table.h"

namespace {
CWinApp* g_currentApp = nullptr;
}  // namespace

std::string AfxAppTitle() {
  const char* title = res::LoadString(AFX_IDS_APP_TITLE);
  return title ? title : std::string();
}

CWinApp::CWinApp() : m_pszAppName(AfxAppTitle()) { g_currentApp = this; }

CWinApp::~CWinApp() {
  if (g_currentApp == this) g_currentApp = nullptr;
}

CWinApp* CWinApp::Current() { return g_currentApp; }

void CWinApp::AddDocTemplate(std::unique_ptr<CSingleDocTemplate> docTemplate) {
  m_pDocTemplate = std::move(docTemplate);
}

bool CWinApp::ProcessShellCommand(CCommandLineInfo& info) {
  if (info.m_nShellCommand != CCommandLineInfo::FileNew) return true;
  RouteCommand(ID_FILE_NEW);
  return m_pDocTemplate && m_pDocTemplate->GetDocument() != nullptr;
}

void CWinApp::OnFileNew() {
  if (!m_pDocTemplate) return;
  m_pDocTemplate->OpenDocumentFile();
  if (m_pDocTemplate->GetFrame()) m_pMainWnd = m_pDocTemplate->GetFrame();
}

bool CWinApp::RouteCommand(int id) {
  // A greyed command never reaches its handler, whichever way it was issued.
  if (!IsCommandEnabled(id)) return false;
  CView* view = m_pDocTemplate ? m_pDocTemplate->GetView() : nullptr;
  CFrameWnd* frame = m_pDocTemplate ? m_pDocTemplate->GetFrame() : nullptr;
  if (view && view->OnCmdMsg(id)) return true;
  if (frame && frame->OnCmdMsg(id)) return true;
  if (OnCmdMsg(id)) return true;
  if (id == ID_APP_EXIT) {
    WindowFactory().CloseMainWindow();
    return true;
  }
  return false;
}

CCmdUI CWinApp::QueryCommand(int id) {
  CCmdUI state(id);
  CView* view = m_pDocTemplate ? m_pDocTemplate->GetView() : nullptr;
  CFrameWnd* frame = m_pDocTemplate ? m_pDocTemplate->GetFrame() : nullptr;
  CCmdTarget* route[] = {view, frame, this};
  for (CCmdTarget* target : route) {
    if (!target) continue;
    if (target->OnUpdateCmdUI(state) || state.m_bHandled) break;
  }
  return state;
}

bool CWinApp::IsCommandEnabled(int id) { return QueryCommand(id).m_bEnabled; }

int CWinApp::GetCommandCheck(int id) { return QueryCommand(id).m_nCheck; }

std::optional<std::string> CWinApp::GetCommandText(int id) {
  CCmdUI state = QueryCommand(id);
  if (!state.m_bHasText) return std::nullopt;
  return std::move(state.m_strText);
}
