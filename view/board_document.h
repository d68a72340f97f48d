// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The board engine as the framework holds it: the framework's document for
// the template that makes it, the game's state for the view that shows it.
// The game knows nothing of documents; this is where the two meet.
#include "game/karoblen_doc.h"
#include "platform/document.h"

class CBoardDocument : public CDocument, public CKaroblenDoc {
 public:
  bool OnNewDocument() override {
    return CDocument::OnNewDocument() && CKaroblenDoc::OnNewDocument();
  }
};
