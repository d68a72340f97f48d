// SPDX-License-Identifier: GPL-3.0-or-later
#include "old_sound_player.h"

#include <QFile>
#include <QMediaDevices>
#include <QUrl>

#include "res/binary_resources.h"
#include "res/resource_ids.h"

namespace {
constexpr int kWaveIds[] = {SND_DROP, SND_REMOVE, SND_SHIFT, SND_TALLY, SND_UNDO};

bool WriteWave(const QString& path, int waveId) {
  const auto bytes = res::FindResource(res::ResourceType::Wave, waveId);
  if (bytes.empty()) return false;
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  const auto size = static_cast<qint64>(bytes.size());
  return file.write(reinterpret_cast<const char*>(bytes.data()), size) == size;
}
}  // namespace

COldSoundPlayer::COldSoundPlayer() {
  // As the game did: the outputs are asked for first, which starts the
  // audio backend.
  if (QMediaDevices::audioOutputs().isEmpty()) return;
  m_pFiles = std::make_unique<QTemporaryDir>();
  if (!m_pFiles->isValid()) return;
  for (int waveId : kWaveIds) {
    const QString path = m_pFiles->filePath(QStringLiteral("wave_%1.wav").arg(waveId));
    if (!WriteWave(path, waveId)) continue;
    auto effect = std::make_unique<QSoundEffect>();
    effect->setSource(QUrl::fromLocalFile(path));
    m_effects.emplace(waveId, std::move(effect));
  }
}

COldSoundPlayer::~COldSoundPlayer() {
  m_pPlaying = nullptr;
  m_effects.clear();
}

void COldSoundPlayer::Play(int waveId) {
  const auto it = m_effects.find(waveId);
  if (it == m_effects.end()) return;
  if (m_pPlaying) m_pPlaying->stop();
  m_pPlaying = it->second.get();
  m_pPlaying->play();
}
