// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The wave effects, played asynchronously on one voice: a new sound cuts off
// the one playing. Without a sound server the player stays silent.
#include <QTimer>
#include <map>

#include "platform/qt/sound/pulse_voice.h"

// The game's effects that can be played, by wave id.
std::map<int, WaveClip> SoundClips();
// The game's names for the sound server, from the string tables.
VoiceNames SoundVoiceNames();

class CQtSoundPlayer {
 public:
  // Reads the effects in place; the sound server is reached a little after
  // start-up, so the first window is not kept waiting for it.
  CQtSoundPlayer();

  // A wave that does not exist sounds the desktop's default beep, even
  // when no sound server is there: the bell is not the sound system.
  void Play(int waveId);

 private:
  CPulseVoice m_voice;
  QTimer m_prepare;  // goes with the player, so it never fires on a dead one
};
