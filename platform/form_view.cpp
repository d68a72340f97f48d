#include "platform/view.h"

bool CFormView::UpdateData(bool saveAndValidate) {
  CDataExchange dx(this, saveAndValidate);
  DoDataExchange(&dx);
  return true;
}

void CFormView::OnInitialUpdate() {
  UpdateData(false);
  RepaintLater();
}
