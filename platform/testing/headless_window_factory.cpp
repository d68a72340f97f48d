// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/testing/headless_window_factory.h"

#include <string>

namespace {
// The style of an ordinary resizable top-level window, plus the title bit
// that the frame may clear.
constexpr unsigned kOverlappedWindow = 0x00CF0000;
}  // namespace

CHeadlessWindowFactory::CHeadlessWindowFactory() : m_pPrevious(&WindowFactory()) {
  SetWindowFactory(this);
}

CHeadlessWindowFactory::~CHeadlessWindowFactory() {
  if (&WindowFactory() == this) SetWindowFactory(m_pPrevious);
}

bool CHeadlessWindowFactory::CreateMainWindow(int resourceId, CFrameWnd& newFrame, CView& newView) {
  CREATESTRUCT cs;
  cs.style = kOverlappedWindow | FWS_ADDTOTITLE;
  newFrame.AttachFrameSite(&frameSite);
  bool ok = newFrame.PreCreateWindow(cs);
  createStyle = cs.style;
  if (ok) ok = newFrame.OnCreate() != -1;
  if (!ok) {
    newFrame.AttachFrameSite(nullptr);
    events.push_back("create " + std::to_string(resourceId) + " failed");
    return false;
  }
  minMaxInfo = MINMAXINFO{};
  newFrame.OnGetMinMaxInfo(&minMaxInfo);
  auto* form = dynamic_cast<CFormView*>(&newView);
  viewSite = form ? CMemoryControlSite(form->GetTemplateId()) : CMemoryControlSite();
  newView.AttachSite(&viewSite);
  frame = &newFrame;
  view = &newView;
  events.push_back("create " + std::to_string(resourceId));
  return true;
}

void CHeadlessWindowFactory::ShowMainWindow() {
  events.push_back("show");
  shown = true;
}

void CHeadlessWindowFactory::CloseMainWindow() {
  events.push_back("close");
  closed = true;
}

void CHeadlessWindowFactory::OnFirstInitialUpdate(CFrameWnd&, CView&) {
  Resize(clientWidth, clientHeight);
}

void CHeadlessWindowFactory::Resize(int cx, int cy) {
  if (!view) return;
  events.push_back("size " + std::to_string(cx) + "x" + std::to_string(cy));
  view->OnSize(0, cx, cy);
}
