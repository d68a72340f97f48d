// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The document base the game state derives from. It carries only what the
// board needs of a document: the new-document hook and the modified flag,
// which the game never sets because a game is never saved.
class CDocument {
 public:
  virtual ~CDocument() = default;

  virtual bool OnNewDocument() {
    m_bModified = false;
    return true;
  }

  bool IsModified() const { return m_bModified; }
  void SetModifiedFlag(bool bModified = true) { m_bModified = bModified; }

 private:
  bool m_bModified = false;
};
