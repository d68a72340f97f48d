// SPDX-License-Identifier: GPL-3.0-or-later
#include "timed_game.h"

#include <time.h>

#include <QCoreApplication>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>

#include "first_exposure.h"
#include "peak_memory.h"
#include "platform/host.h"
#include "res/resource_ids.h"
#include "res/translation.h"
#ifdef KAROBLEN_OLD_SOUND
#include "old_sound_player.h"
#endif

namespace {
// With --play, the game goes on after its first paint until it has played a
// sound, so that its peak memory includes the sound path at work; --wait
// goes on as long without a sound, for comparison.
bool g_bPlay = false;
bool g_bWait = false;

void After(int milliseconds, const std::function<void()>& then) {
  auto* timer = new QTimer(QCoreApplication::instance());  // the application owns it
  timer->setSingleShot(true);
  QObject::connect(timer, &QTimer::timeout, then);
  timer->start(milliseconds);
}

void EndAfterPlaying(const std::function<void()>& play) {
  // The game reaches the sound server 300 ms after it starts.
  After(500, play);
  After(900, [] {
    std::printf("peak-kb %ld\n", PeakMemoryKb());
    std::fflush(stdout);
    std::_Exit(0);
  });
}
}  // namespace

bool CTimedKaroblenApp::InitInstance() {
#ifdef KAROBLEN_OLD_SOUND
  // Where the host used to build its player: before the first window.
  static auto oldSounds = std::make_unique<COldSoundPlayer>();
#endif
  const bool started = CKaroblenApp::InitInstance();
  if (!started) return false;

  // The board is drawn once the window system has exposed the window; one
  // forced paint after that makes sure it has been before the clock is read.
  if (!WaitForFirstExposure()) std::_Exit(1);
  if (CView* view = GetDocTemplate()->GetView()) view->RepaintNow();
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  std::printf("first-paint %lld\n",
              static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
  if (!g_bPlay && !g_bWait) std::printf("peak-kb %ld\n", PeakMemoryKb());
  std::fflush(stdout);
  if (g_bWait) {
    EndAfterPlaying([] {});
    return true;
  }
  if (g_bPlay) {
#ifdef KAROBLEN_OLD_SOUND
    EndAfterPlaying([] { oldSounds->Play(SND_TALLY); });
#else
    EndAfterPlaying([] { PlayEffect(SND_TALLY); });
#endif
    return true;
  }
  // Tearing the windows down would only add noise to the measurement.
  std::_Exit(0);
}

int main(int argc, char** argv) {
  g_bPlay = argc > 1 && std::strcmp(argv[1], "--play") == 0;
  g_bWait = argc > 1 && std::strcmp(argv[1], "--wait") == 0;
  // As the game starts: in the language the environment asks for.
  res::OpenCatalogues(KAROBLEN_LOCALE_DIR);
  static CTimedKaroblenApp theApp;
  return AfxWinMain(theApp, argc, argv);
}
