// SPDX-License-Identifier: GPL-3.0-or-later
// Timings of the game on the real Qt layer, taken in one run:
//  1. a full repaint of the Large board: the real view painting into an
//     offscreen image through its widget, averaged over many paints;
//  2. the time from process start to the first painted board of the real
//     program, and its peak memory until then, against a bare Qt main window
//     with the same menu, toolbar and status bar, reported as ratios; for
//     the game as it is, in German (its catalogue and Qt's own), and with
//     the sound path it had before;
//  3. the time from playing a sound to its first sample leaving the sound
//     server's mixer, for both sound paths.
// Parts 2 and 3 run against a private sound server with a silent sink when
// pulseaudio is installed, as a desktop with sound would have it; part 3
// again on a private PipeWire with its PulseAudio service.
// Flags: --paints N (default 2000), --runs N (default 15), --sounds N
// (default 20). Google Benchmark flags from scripts/run-benchmarks.sh are
// accepted and ignored.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <QApplication>
#include <QImage>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/qt/input_holding_pause.h"
#include "platform/qt/sound/pulse_voice.h"
#include "platform/qt/sound_player.h"
#include "platform/qt/window/form_view_widget.h"
#include "sound_latency.h"
#include "view/board_document.h"
#include "view/karoblen_view.h"
#ifdef KAROBLEN_OLD_GAME_PATH
#include "old_sound_player.h"
#endif

extern char** environ;

namespace {

long long MonotonicNs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Microseconds per full repaint of a Large board.
double TimeLargeBoardRepaint(int paints) {
  CBoardDocument doc;
  doc.SetBoardSize(2);
  doc.OnNewDocument();
  CKaroblenView view;
  view.SetDocument(&doc);
  CQtFormViewWidget widget(view);
  // The view's client area in a main window at its minimum size.
  widget.resize(640, 353);
  view.OnInitialUpdate();
  widget.DeliverSize();
  QImage image(widget.size(), QImage::Format_RGB32);

  widget.render(&image);  // warm-up: pictures decoded, fonts loaded
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < paints; ++i) widget.render(&image);
  const std::chrono::duration<double, std::micro> spent = std::chrono::steady_clock::now() - start;
  return spent.count() / paints;
}

struct StartUp {
  double ms;     // from spawning to the "first-paint <ns>" it prints
  double maxKb;  // peak resident memory
};

// The messages of the programs spawned from here on: English, or the
// catalogue of `language`.
void SpeakInSpawned(const char* language) {
  setenv("LC_ALL", "C.UTF-8", 1);
  if (language)
    setenv("LANGUAGE", language, 1);
  else
    unsetenv("LANGUAGE");
}

// `mode` is empty, or --play or --wait for the timed game.
std::optional<StartUp> TimeToFirstPaint(const std::string& program, const char* mode = nullptr) {
  int pipeFds[2];
  if (pipe(pipeFds) != 0) return std::nullopt;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
  // The toolkit's start-up chatter would bury the figures.
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  char* args[] = {const_cast<char*>(program.c_str()), const_cast<char*>(mode), nullptr};

  const long long started = MonotonicNs();
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, args, environ);
  posix_spawn_file_actions_destroy(&actions);
  close(pipeFds[1]);
  if (spawned != 0) {
    close(pipeFds[0]);
    return std::nullopt;
  }
  std::string output;
  char buffer[256];
  for (ssize_t n; (n = read(pipeFds[0], buffer, sizeof buffer)) > 0;)
    output.append(buffer, static_cast<std::size_t>(n));
  close(pipeFds[0]);
  int status = 0;
  waitpid(pid, &status, 0);

  const std::size_t at = output.find("first-paint ");
  const std::size_t peak = output.find("peak-kb ");
  if (at == std::string::npos || peak == std::string::npos) return std::nullopt;
  const long long painted = std::atoll(output.c_str() + at + std::strlen("first-paint "));
  return StartUp{static_cast<double>(painted - started) / 1e6,
                 std::atof(output.c_str() + peak + 8)};
}

void PrintLatency(const char* path, const SoundLatency& latency) {
  std::printf("  %-34s first ", path);
  if (latency.firstMs < 0)
    std::printf("not heard");
  else
    std::printf("%5.1f ms", latency.firstMs);
  if (latency.medianMs >= 0)
    std::printf(", then median %5.1f ms, worst %5.1f ms", latency.medianMs, latency.maxMs);
  std::printf(" (%d of %d heard)\n", latency.heard, latency.asked);
}

int FlagValue(int argc, char** argv, const char* name, int fallback) {
  for (int i = 1; i + 1 < argc; ++i)
    if (std::strcmp(argv[i], name) == 0) return std::max(1, std::atoi(argv[i + 1]));
  return fallback;
}

}  // namespace

int main(int argc, char** argv) {
  const int paints = FlagValue(argc, argv, "--paints", 2000);
  const int runs = FlagValue(argc, argv, "--runs", 15);
  const int sounds = FlagValue(argc, argv, "--sounds", 20);

  // Without a desktop both programs are measured offscreen, which leaves
  // the X server's share out but compares like with like.
  if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") && !std::getenv("QT_QPA_PLATFORM"))
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
  // The game reads its score file from the working directory.
  const std::filesystem::path scratch =
      std::filesystem::temp_directory_path() / ("karoblen-bench-" + std::to_string(getpid()));
  std::filesystem::create_directories(scratch);
  std::filesystem::current_path(scratch);
  const CPrivateSoundServer server;
  // The timed programs end with _Exit, so the former sound path's temporary
  // wave files would stay behind; here they go with the scratch directory.
  setenv("TMPDIR", scratch.c_str(), 1);

  int qtArgc = 1;
  QApplication app(qtArgc, argv);
  std::printf("platform: %s; sound server: %s\n",
              QGuiApplication::platformName().toUtf8().constData(),
              server.Problem().empty() ? "private, silent sink" : server.Problem().c_str());

  const double repaintUs = TimeLargeBoardRepaint(paints);
  std::printf("large board repaint: %.1f us per paint (%d paints, 640 x 320 board)\n", repaintUs,
              paints);

  struct Program {
    const char* name;
    std::string path;
    const char* language = nullptr;
  };
  std::vector<Program> programs = {{"bare Qt window", KAROBLEN_BARE_WINDOW_PATH},
                                   {"game", KAROBLEN_GAME_PATH},
                                   {"game, in German", KAROBLEN_GAME_PATH, "de"}};
#ifdef KAROBLEN_OLD_GAME_PATH
  programs.push_back({"game, former sound path", KAROBLEN_OLD_GAME_PATH});
#endif
  std::vector<std::vector<double>> ms(programs.size()), kb(programs.size()),
      waitedKb(programs.size()), playedKb(programs.size());
  for (int i = 0; i < runs; ++i) {
    // Interleaved, so that a busy moment of the machine hits all of them.
    for (std::size_t p = 0; p < programs.size(); ++p) {
      SpeakInSpawned(programs[p].language);
      const auto run = TimeToFirstPaint(programs[p].path);
      // The bare window plays nothing: its quiet peak is also the yardstick
      // for the game's peak with a sound.
      const auto waited = TimeToFirstPaint(programs[p].path, "--wait");
      const auto played = p == 0 ? waited : TimeToFirstPaint(programs[p].path, "--play");
      if (!run || !waited || !played) {
        std::fprintf(stderr, "%s did not report its first paint\n", programs[p].name);
        std::filesystem::current_path("/");
        std::filesystem::remove_all(scratch);
        return 1;
      }
      ms[p].push_back(run->ms);
      kb[p].push_back(run->maxKb);
      waitedKb[p].push_back(waited->maxKb);
      playedKb[p].push_back(played->maxKb);
    }
  }
  const double bareMs = Median(ms[0]), bareKb = Median(kb[0]), bareWaitedKb = Median(waitedKb[0]);
  // Peak memory is taken at the first paint, and again 900 ms after it,
  // with and without a sound played by then; the later peaks are set
  // against the bare window's own after the same wait.
  std::printf("median of %d runs, each also as a ratio to the bare window:\n", runs);
  std::printf("  %-24s %17s %17s %17s %17s\n", "", "start to paint", "peak at paint",
              "peak 0.9 s, quiet", "peak, a sound");
  const auto cell = [](double value, double base, const char* unit) {
    std::printf(" %7.1f %-3s %5.2fx", value, unit, value / base);
  };
  for (std::size_t p = 0; p < programs.size(); ++p) {
    std::printf("  %-24s", programs[p].name);
    cell(Median(ms[p]), bareMs, "ms");
    cell(Median(kb[p]) / 1024, bareKb / 1024, "MiB");
    cell(Median(waitedKb[p]) / 1024, bareWaitedKb / 1024, "MiB");
    cell(Median(playedKb[p]) / 1024, bareWaitedKb / 1024, "MiB");
    std::printf("\n");
  }

  // A sound card plays a sample later by what it holds, which the game's
  // streams ask to keep at 10 ms while they sound.
  const auto measureLatency = [sounds](const char* serverName) {
    std::printf("play to its first sample mixed on %s, each sound from silence:\n", serverName);
    {
      CQtSoundPlayer player;
      PauseHoldingInput(1000);  // the game reaches the server 300 ms after it starts
      PrintLatency("game (server reached beforehand)",
                   MeasureSoundLatency([&](int id) { player.Play(id); }, sounds));
    }
    {
      // The library is loaded by now: this is the cost of reaching the
      // server and making the streams when a sound is due.
      CPulseVoice voice(SoundClips(), SoundVoiceNames());
      PrintLatency("game, server reached on demand",
                   MeasureSoundLatency([&](int id) { voice.Play(id); }, 3));
    }
  };
  if (server.Problem().empty()) {
    measureLatency("PulseAudio");
#ifdef KAROBLEN_OLD_GAME_PATH
    {
      COldSoundPlayer player;
      PauseHoldingInput(1000);
      PrintLatency("former sound path",
                   MeasureSoundLatency([&](int id) { player.Play(id); }, sounds));
    }
#endif
  }
  // The same on PipeWire's PulseAudio service, which the clients started
  // from here on reach instead.
  const CPrivateSoundServer pipeWire(CPrivateSoundServer::Kind::PipeWire);
  if (pipeWire.Problem().empty())
    measureLatency("PipeWire");
  else
    std::printf("no latency on PipeWire: %s\n", pipeWire.Problem().c_str());

  std::filesystem::current_path("/");
  std::filesystem::remove_all(scratch);
  return 0;
}
