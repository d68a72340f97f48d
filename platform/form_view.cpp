// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/view.h"

void CFormView::OnInitialUpdate() {
  UpdateData(false);
  RepaintLater();
}
