// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window that shows the document, and the view whose controls come from
// a dialog template.
#include "platform/afx_types.h"
#include "platform/command_target.h"
#include "platform/dc.h"
#include "platform/document.h"
#include "platform/wnd.h"

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

  // Binds the controls (UpdateData(false)) and repaints.
  void OnInitialUpdate() override;

 private:
  int m_nIDTemplate;
};
