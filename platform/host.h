// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one seam between the game and the desktop. Everything the game asks of
// the windowing system that a player could notice (sounds, pauses, repaints,
// message boxes, file and modal dialogs) passes through a CPlatformHost, so a
// test can install a host that records the requests in order and answers the
// modal questions itself.
#include <functional>
#include <optional>
#include <string>

#include "platform/afx_types.h"

class CDialog;
class CWnd;

enum class RepaintMode {
  Now,       // invalidate without erasing, paint before returning
  NowErase,  // erase the background, then paint before returning
  Later,     // invalidate without erasing; the event loop paints
};

struct FileOpenRequest {
  std::string title;
  std::string filter;      // "Name|*.a;*.b|Name|*.*||"
  std::string defaultExt;  // appended to a typed name that has no extension
  unsigned flags = 0;      // OFN_*
};

class CPlatformHost {
 public:
  virtual ~CPlatformHost() = default;

  // Plays wave resource `waveId` asynchronously, cutting off any sound still
  // playing; a missing resource plays the desktop's default beep.
  virtual void PlaySound(int waveId) = 0;
  // Blocks the game; input that arrives meanwhile is handled afterwards.
  virtual void Sleep(int milliseconds) = 0;
  // Lets the window paint for up to `milliseconds` while the game waits on
  // work of its own (a save on a slow disk), input held as in Sleep. No part
  // of the game's timeline: how often it comes depends on the disk, so a host
  // that records the timeline leaves it out.
  virtual void KeepResponsive(int milliseconds) { (void)milliseconds; }
  virtual void Repaint(CWnd& wnd, RepaintMode mode) = 0;
  // Returns IDOK, IDYES or IDNO.
  virtual int MessageBox(CWnd* owner, const std::string& text, const std::string& caption,
                         unsigned type) = 0;
  // The chosen path, or nothing when cancelled.
  virtual std::optional<std::string> GetOpenFileName(const FileOpenRequest& request) = 0;
  // Builds the dialog from its template, runs OnInitDialog and blocks until
  // EndDialog; returns the value given to EndDialog.
  virtual int RunModal(CDialog& dialog) = 0;
  // Has assistive technology read `text` out as news, wherever the focus is;
  // nothing shows on the screen.
  virtual void Announce(const std::string& text) = 0;
  // Runs `work` away from the user-interface thread, then `done` on that
  // thread from its event loop. The worker has ended by the time `done`
  // runs, so nothing is left busy behind it; `work` must not touch the game.
  virtual void RunInBackground(std::function<void()> work, std::function<void()> done) = 0;
  // Puts `text` in the status bar's message pane until the next prompt;
  // an empty text brings back the idle message.
  virtual void ShowStatusMessage(const std::string& text) = 0;
};

CPlatformHost& Host();
// Installs `host` for the rest of the run (or until the next call); the
// caller keeps ownership. Passing nullptr restores a host that does nothing.
void SetHost(CPlatformHost* host);

// Convenience forms of the host's operations, as the game's code calls them.
inline void PlayEffect(int waveId) { Host().PlaySound(waveId); }
inline void Sleep(int milliseconds) { Host().Sleep(milliseconds); }
int AfxMessageBox(const std::string& text, unsigned type, const std::string& caption = "");
