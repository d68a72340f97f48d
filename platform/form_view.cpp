#include "platform/view.h"

void CFormView::OnInitialUpdate() {
  UpdateData(false);
  RepaintLater();
}
