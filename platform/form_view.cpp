#include "platform/framework.h"

void CFormView::OnInitialUpdate() {
  UpdateData(false);
  RepaintLater();
}
