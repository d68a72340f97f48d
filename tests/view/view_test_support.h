// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A board view on an in-memory form, a document laid out by hand and a host
// that records every sound, pause, repaint and dialog.
#include <string>
#include <vector>

#include "game/high_score_keeper.h"
#include "game/karoblen_doc.h"
#include "platform/testing/memory_control_site.h"
#include "platform/testing/recording_host.h"
#include "res/resource_ids.h"
#include "tests/game/karoblen_doc_test_access.h"
#include "view/board_document.h"
#include "view/karoblen_view.h"

using Board = CKaroblenDocTestAccess;

// Stands in for the high-score tables: logs each request into the host's
// event list, so that its place among sounds, repaints and dialogs shows.
class CLoggingHighScores : public CHighScoreKeeper {
 public:
  CLoggingHighScores(std::vector<std::string>& events, const CControlSite& form,
                     const CKaroblenDoc& doc)
      : m_events(events), m_form(form), m_doc(doc) {}
  void SetBoard(int boardSize, int tileKinds) override {
    m_events.push_back("high scores board " + std::to_string(boardSize) + "/" +
                       std::to_string(tileKinds));
  }
  void SubmitScore(int score) override {
    m_events.push_back("high scores submit " + std::to_string(score));
    scoreTextAtSubmit = m_form.GetText(IDC_SCORE);
    boardAtSubmit = Board::Board(m_doc);
  }
  int DoModal() override {
    m_events.emplace_back("high scores show");
    boardAtShow = Board::Board(m_doc);
    return 1;
  }
  void MergeFrom(std::string path) override { m_events.push_back("high scores merge " + path); }

  std::string scoreTextAtSubmit;
  // The board in the document while the name is asked for and the table shown.
  Board::Rows boardAtSubmit;
  Board::Rows boardAtShow;

 private:
  std::vector<std::string>& m_events;
  const CControlSite& m_form;
  const CKaroblenDoc& m_doc;
};

inline constexpr int kSmall = 0;
inline constexpr int kMedium = 1;
inline constexpr int kLarge = 2;

// The view as the main window shows it: bound to its form and laid out in
// the client area the window opens with.
class ViewHarness {
 public:
  static constexpr int kClientWidth = 632;
  static constexpr int kClientHeight = 353;

  ViewHarness() {
    doc.AttachHighScores(&highScores);
    view.SetDocument(&doc);
    view.AttachSite(&form);
    view.UpdateData(false);
    view.OnSize(0, kClientWidth, kClientHeight);
  }
  ~ViewHarness() { view.AttachSite(nullptr); }

  // Lays the board out and centres it afresh.
  void Lay(int boardSize, int tileKinds, const Board::Rows& rows) {
    Board::Lay(doc, boardSize, tileKinds, rows);
    view.OnSize(0, kClientWidth, kClientHeight);
    host.ClearEvents();
  }

  // The middle of a cell, in client coordinates.
  CPoint CellPoint(int column, int row) const {
    return {view.GetOriginX() + 40 * column + 20, view.GetOriginY() + 40 * row + 20};
  }
  void MoveTo(int column, int row) { view.OnMouseMove(0, CellPoint(column, row)); }
  void ClickAt(int column, int row) { view.OnLButtonDown(0, CellPoint(column, row)); }
  void Key(unsigned vk, unsigned flags = 0) { view.OnKeyDown(vk, 1, flags); }
  // Shows the keyboard cursor and walks it to the cell.
  void CursorTo(int column, int row) {
    if (!view.IsCursorShown()) Key(VK_LEFT);
    while (view.GetCursor().nColumn < column) Key(VK_RIGHT);
    while (view.GetCursor().nColumn > column) Key(VK_LEFT);
    while (view.GetCursor().nRow < row) Key(VK_DOWN);
    while (view.GetCursor().nRow > row) Key(VK_UP);
  }

  std::string Text(int id) const { return form.GetText(id); }

  CRecordingHost host;
  CBoardDocument doc;
  CMemoryControlSite form{IDD_KAROBLEN_FORM};
  CLoggingHighScores highScores{host.events, form, doc};
  CKaroblenView view;
};
