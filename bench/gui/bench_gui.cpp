// Two timings of the game on the real Qt layer, taken in one run:
//  1. a full repaint of the Large board: the real view painting into an
//     offscreen image through its widget, averaged over many paints;
//  2. the time from process start to the first painted board of the real
//     program, against a bare Qt main window with the same menu, toolbar
//     and status bar, reported as a ratio.
// Flags: --paints N (default 2000), --runs N (default 15). Google Benchmark
// flags from scripts/run-benchmarks.sh are accepted and ignored.
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

#include "game/karoblen_doc.h"
#include "platform/qt/form_view_widget.h"
#include "view/karoblen_view.h"

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
  CKaroblenDoc doc;
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

// Milliseconds from spawning `program` to the "first-paint <ns>" it prints.
std::optional<double> TimeToFirstPaint(const std::string& program) {
  int pipeFds[2];
  if (pipe(pipeFds) != 0) return std::nullopt;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
  // The toolkit's start-up chatter would bury the figures.
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  char* args[] = {const_cast<char*>(program.c_str()), nullptr};

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
  if (at == std::string::npos) return std::nullopt;
  const long long painted = std::atoll(output.c_str() + at + std::strlen("first-paint "));
  return static_cast<double>(painted - started) / 1e6;
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

  // Without a desktop both programs are measured offscreen, which leaves
  // the X server's share out but compares like with like.
  if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") && !std::getenv("QT_QPA_PLATFORM"))
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
  // The game reads its score file from the working directory.
  const std::filesystem::path scratch =
      std::filesystem::temp_directory_path() / ("karoblen-bench-" + std::to_string(getpid()));
  std::filesystem::create_directories(scratch);
  std::filesystem::current_path(scratch);

  int qtArgc = 1;
  QApplication app(qtArgc, argv);
  std::printf("platform: %s\n", QGuiApplication::platformName().toUtf8().constData());

  const double repaintUs = TimeLargeBoardRepaint(paints);
  std::printf("large board repaint: %.1f us per paint (%d paints, 640 x 320 board)\n", repaintUs,
              paints);

  std::vector<double> game, bare;
  for (int i = 0; i < runs; ++i) {
    // Interleaved, so that a busy moment of the machine hits both.
    const auto g = TimeToFirstPaint(KAROBLEN_GAME_PATH);
    const auto b = TimeToFirstPaint(KAROBLEN_BARE_WINDOW_PATH);
    if (!g || !b) {
      std::fprintf(stderr, "a start-up run did not report its first paint\n");
      std::filesystem::current_path("/");
      std::filesystem::remove_all(scratch);
      return 1;
    }
    game.push_back(*g);
    bare.push_back(*b);
  }
  const double gameMs = Median(game), bareMs = Median(bare);
  std::printf(
      "start to first paint, median of %d: game %.1f ms, bare Qt window %.1f ms, ratio %.2f\n",
      runs, gameMs, bareMs, gameMs / bareMs);

  std::filesystem::current_path("/");
  std::filesystem::remove_all(scratch);
  return 0;
}
