// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/sound_player.h"

#include <QApplication>

#include "res/binary_resources.h"
#include "res/game_texts.h"
#include "res/resource_ids.h"
#include "res/string_table.h"

namespace {
constexpr int kWaveIds[] = {SND_DROP, SND_REMOVE, SND_SHIFT, SND_TALLY, SND_UNDO};
// Long enough after start-up for the first board to be on the screen, and
// far shorter than the time a player takes to make the first move.
constexpr int kPrepareAfterMs = 300;

}  // namespace

std::map<int, WaveClip> SoundClips() {
  std::map<int, WaveClip> clips;
  for (int waveId : kWaveIds)
    if (auto clip = ReadWaveClip(res::FindResource(res::ResourceType::Wave, waveId)))
      clips.emplace(waveId, *clip);
  return clips;
}

VoiceNames SoundVoiceNames() {
  const char* application = res::LoadString(AFX_IDS_APP_TITLE);
  return {application ? application : std::string(),
          std::string(res::Text(res::TextId::SoundStreamName))};
}

CQtSoundPlayer::CQtSoundPlayer() : m_voice(SoundClips(), SoundVoiceNames()) {
  m_prepare.setSingleShot(true);
  QObject::connect(&m_prepare, &QTimer::timeout, [this] { m_voice.Prepare(); });
  m_prepare.start(kPrepareAfterMs);
}

void CQtSoundPlayer::Play(int waveId) {
  // A wave that cannot be read is as good as missing.
  if (!m_voice.Knows(waveId)) {
    QApplication::beep();
    return;
  }
  m_voice.Play(waveId);
}
