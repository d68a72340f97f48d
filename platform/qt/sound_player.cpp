#include "platform/qt/sound_player.h"

#include <QApplication>
#include <QAudioDevice>
#include <QFile>
#include <QMediaDevices>
#include <QUrl>

#include "res/binary_resources.h"
#include "res/resource_ids.h"

namespace {
constexpr int kWaveIds[] = {SND_DROP, SND_REMOVE, SND_SHIFT, SND_TALLY, SND_UNDO};

// The effects are read through files: that is the route the sound backend
// loads from reliably.
bool WriteWave(const QString& path, int waveId) {
  const auto bytes = res::FindResource(res::ResourceType::Wave, waveId);
  if (bytes.empty()) return false;
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  const auto size = static_cast<qint64>(bytes.size());
  return file.write(reinterpret_cast<const char*>(bytes.data()), size) == size;
}
// Asking for the outputs makes the audio backend try its server, and it
// reports a missing one on the terminal however its logging is set up.
bool HasAudioOutput() {
  static QtMessageHandler previous = nullptr;
  previous = qInstallMessageHandler(
      [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
        if (type == QtDebugMsg || type == QtWarningMsg || type == QtInfoMsg) return;
        if (previous) previous(type, context, message);
      });
  const bool found = !QMediaDevices::audioOutputs().isEmpty();
  qInstallMessageHandler(previous);
  return found;
}
}  // namespace

CQtSoundPlayer::CQtSoundPlayer() {
  if (!HasAudioOutput()) return;
  m_pFiles = std::make_unique<QTemporaryDir>();
  if (!m_pFiles->isValid()) return;
  for (int waveId : kWaveIds) {
    const QString path = m_pFiles->filePath(QStringLiteral("wave_%1.wav").arg(waveId));
    if (!WriteWave(path, waveId)) continue;
    auto effect = std::make_unique<QSoundEffect>();
    effect->setSource(QUrl::fromLocalFile(path));
    m_effects.emplace(waveId, std::move(effect));
  }
  m_bSilent = false;
}

CQtSoundPlayer::~CQtSoundPlayer() {
  m_pPlaying = nullptr;
  m_effects.clear();
}

void CQtSoundPlayer::Play(int waveId) {
  if (res::FindResource(res::ResourceType::Wave, waveId).empty()) {
    QApplication::beep();
    return;
  }
  const auto it = m_effects.find(waveId);
  if (it == m_effects.end()) return;
  if (m_pPlaying) m_pPlaying->stop();
  m_pPlaying = it->second.get();
  m_pPlaying->play();
}
