#include "timed_game.h"

#include <time.h>

#include <cstdio>
#include <cstdlib>

#ifdef KAROBLEN_OLD_SOUND
#include <memory>

#include "old_sound_player.h"
#endif

bool CTimedKaroblenApp::InitInstance() {
#ifdef KAROBLEN_OLD_SOUND
  // Where the host used to build its player: before the first window.
  static auto oldSounds = std::make_unique<COldSoundPlayer>();
#endif
  const bool started = CKaroblenApp::InitInstance();
  if (!started) return false;

  // Showing the window has painted it already on most desktops; one forced
  // paint makes sure the board has been drawn before the clock is read.
  if (CView* view = GetDocTemplate()->GetView()) view->RepaintNow();
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  std::printf("first-paint %lld\n",
              static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
  std::fflush(stdout);
  // Tearing the windows down would only add noise to the measurement.
  std::_Exit(0);
}

int main(int argc, char** argv) {
  static CTimedKaroblenApp theApp;
  return AfxWinMain(theApp, argc, argv);
}
