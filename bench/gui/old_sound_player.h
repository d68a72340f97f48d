// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game's former sound path, kept for the benchmark only: Qt Multimedia's
// sound effect, loaded from the wave resources written to temporary files.
// bench_gui weighs the start-up and the latency of the present path against it.
#include <QAudioDevice>
#include <QSoundEffect>
#include <QTemporaryDir>
#include <map>
#include <memory>

class COldSoundPlayer {
 public:
  COldSoundPlayer();
  ~COldSoundPlayer();
  void Play(int waveId);

 private:
  std::unique_ptr<QTemporaryDir> m_pFiles;
  std::map<int, std::unique_ptr<QSoundEffect>> m_effects;
  QSoundEffect* m_pPlaying = nullptr;
};
