#include "sound_latency.h"

#include <pulse/simple.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/qt/input_holding_pause.h"
#include "res/resource_ids.h"

extern char** environ;

namespace {
using Clock = std::chrono::steady_clock;
constexpr unsigned kRate = 44100;

// Notes when the monitor's signal rises out of silence. The server hands on
// each millisecond as soon as it has mixed it.
class CRecorder {
 public:
  CRecorder() {
    const pa_sample_spec spec{PA_SAMPLE_S16LE, kRate, 1};
    pa_buffer_attr attr{};
    attr.maxlength = static_cast<std::uint32_t>(-1);
    attr.fragsize = kRate / 1000 * 2;
    m_pStream = pa_simple_new(nullptr, "bench", PA_STREAM_RECORD, "out.monitor", "latency", &spec,
                              nullptr, &attr, nullptr);
    if (m_pStream) m_thread = std::thread([this] { Run(); });
  }
  ~CRecorder() {
    m_bStop = true;
    if (m_thread.joinable()) m_thread.join();
    if (m_pStream) pa_simple_free(m_pStream);
  }
  bool Works() const { return m_pStream != nullptr; }
  // The first onset after `since`, if one came.
  std::optional<Clock::time_point> OnsetAfter(Clock::time_point since) {
    std::lock_guard lock(m_mutex);
    for (const auto onset : m_onsets)
      if (onset >= since) return onset;
    return std::nullopt;
  }

 private:
  void Run() {
    std::int16_t block[kRate / 1000];
    std::size_t quiet = kRate;  // samples of silence before the block
    while (!m_bStop) {
      if (pa_simple_read(m_pStream, block, sizeof block, nullptr) < 0) return;
      const Clock::time_point now = Clock::now();
      const std::size_t count = std::size(block);
      for (std::size_t i = 0; i < count; ++i) {
        if (block[i] == 0) {
          ++quiet;
          continue;
        }
        // A sound begins after 20 ms of silence; its first sample was mixed
        // the rest of the block's length before the block arrived.
        if (quiet > kRate / 50) {
          const auto after = std::chrono::microseconds((count - i) * 1000000 / kRate);
          std::lock_guard lock(m_mutex);
          m_onsets.push_back(now - after);
        }
        quiet = 0;
      }
    }
  }

  pa_simple* m_pStream = nullptr;
  std::thread m_thread;
  std::atomic<bool> m_bStop{false};
  std::mutex m_mutex;
  std::vector<Clock::time_point> m_onsets;
};

std::optional<double> TimeOneSound(CRecorder& recorder, const std::function<void(int)>& play,
                                   int waveId) {
  const Clock::time_point asked = Clock::now();
  play(waveId);
  // An onset is placed to within a block of the recording, so one found
  // up to a block before the call is this sound's, and counts as no delay.
  const auto block = std::chrono::milliseconds(2);
  for (int waited = 0; waited < 500; waited += 10) {
    PauseHoldingInput(10);
    if (const auto onset = recorder.OnsetAfter(asked - block))
      return std::max(0.0, std::chrono::duration<double, std::milli>(*onset - asked).count());
  }
  return std::nullopt;
}
}  // namespace

CPrivateSoundServer::CPrivateSoundServer() {
  char dirTemplate[] = "/tmp/karoblen-bench-pulse-XXXXXX";
  if (!mkdtemp(dirTemplate)) {
    m_problem = "no scratch directory";
    return;
  }
  m_dir = dirTemplate;
  const std::string runtime = m_dir + "/pulse";
  std::filesystem::create_directories(runtime);
  setenv("HOME", m_dir.c_str(), 1);
  setenv("XDG_RUNTIME_DIR", m_dir.c_str(), 1);
  setenv("PULSE_RUNTIME_PATH", runtime.c_str(), 1);
  setenv("PULSE_SERVER", ("unix:" + runtime + "/native").c_str(), 1);
  const std::string socket =
      "module-native-protocol-unix auth-anonymous=1 socket=" + runtime + "/native";
  std::vector<std::string> args = {"pulseaudio",
                                   "-n",
                                   "--daemonize=no",
                                   "--use-pid-file=no",
                                   "--exit-idle-time=-1",
                                   "--log-target=file:" + m_dir + "/log",
                                   "-L",
                                   "module-null-sink sink_name=out rate=44100 norewinds=1",
                                   "-L",
                                   socket};
  std::vector<char*> argv;
  argv.reserve(args.size() + 1);
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  if (posix_spawnp(&m_pid, "pulseaudio", nullptr, nullptr, argv.data(), environ) != 0) {
    m_pid = -1;
    m_problem = "pulseaudio is not installed";
    return;
  }
  // Up when a client gets through.
  for (int i = 0; i < 100; ++i) {
    const pa_sample_spec spec{PA_SAMPLE_S16LE, kRate, 1};
    if (pa_simple* probe = pa_simple_new(nullptr, "bench", PA_STREAM_RECORD, "out.monitor", "probe",
                                         &spec, nullptr, nullptr, nullptr)) {
      pa_simple_free(probe);
      return;
    }
    usleep(100000);
  }
  m_problem = "pulseaudio did not start";
}

CPrivateSoundServer::~CPrivateSoundServer() {
  if (m_pid > 0) {
    kill(m_pid, SIGTERM);
    waitpid(m_pid, nullptr, 0);
  }
  if (!m_dir.empty()) std::filesystem::remove_all(m_dir);
}

SoundLatency MeasureSoundLatency(const std::function<void(int)>& play, int sounds) {
  SoundLatency result;
  CRecorder recorder;
  if (!recorder.Works()) return result;
  PauseHoldingInput(300);
  constexpr int kWaves[] = {SND_TALLY, SND_REMOVE, SND_DROP};
  std::vector<double> times;
  for (int i = 0; i <= sounds; ++i) {
    ++result.asked;
    const auto ms = TimeOneSound(recorder, play, kWaves[i % std::size(kWaves)]);
    if (i == 0) {
      if (ms) result.firstMs = *ms;
    } else if (ms) {
      times.push_back(*ms);
    }
    if (ms) ++result.heard;
    PauseHoldingInput(300);  // the sound has ended: the next starts from silence
  }
  if (times.empty()) return result;
  std::sort(times.begin(), times.end());
  result.medianMs = times[times.size() / 2];
  result.maxMs = times.back();
  return result;
}
