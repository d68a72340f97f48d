#pragma once
// The wave effects, loaded once and played asynchronously: a new sound cuts
// off the one playing. Without an audio output the player stays silent.
#include <QSoundEffect>
#include <QTemporaryDir>
#include <map>
#include <memory>

class CQtSoundPlayer {
 public:
  CQtSoundPlayer();
  ~CQtSoundPlayer();

  // A wave that does not exist sounds the desktop's default beep, even
  // when no audio output is there: the bell is not the sound system.
  void Play(int waveId);
  bool IsSilent() const { return m_bSilent; }

 private:
  bool m_bSilent = true;
  std::unique_ptr<QTemporaryDir> m_pFiles;
  std::map<int, std::unique_ptr<QSoundEffect>> m_effects;
  QSoundEffect* m_pPlaying = nullptr;
};
