#include "platform/qt/sound/pulse_voice.h"

#include <sys/time.h>

#include <utility>

#include "platform/qt/sound/pulse_library.h"

namespace {
using std::chrono::microseconds;
using std::chrono::milliseconds;

// The server mixes a clip in within this much of its start.
constexpr microseconds kTargetLatency{10000};
// A clip asked for while the connection was still being made is worth
// playing only if it comes nearly on time.
constexpr milliseconds kLateStart{60};
// How long after a clip's end its stream is corked.
constexpr milliseconds kAfterEnd{100};

pa_sample_spec SpecOf(const WaveClip& clip) {
  pa_sample_spec spec{};
  spec.format = clip.bitsPerSample == 8 ? PA_SAMPLE_U8 : PA_SAMPLE_S16LE;
  spec.rate = clip.sampleRate;
  spec.channels = static_cast<std::uint8_t>(clip.channels);
  return spec;
}
}  // namespace

CPulseVoice::CPulseVoice(const std::map<int, WaveClip>& clips, VoiceNames names)
    : m_names(std::move(names)) {
  for (const auto& [key, clip] : clips) m_streams[key].clip = clip;
}

CPulseVoice::~CPulseVoice() {
  if (!m_pLoop) return;
  m_pLib->pa_threaded_mainloop_lock(m_pLoop);
  if (m_pTimer) m_pApi->time_free(m_pTimer);
  m_pApi->defer_free(m_pConnect);
  DropStreams();
  DropContext();
  m_pLib->pa_threaded_mainloop_unlock(m_pLoop);
  m_pLib->pa_threaded_mainloop_stop(m_pLoop);
  m_pLib->pa_threaded_mainloop_free(m_pLoop);
}

void CPulseVoice::Prepare() {
  if (m_bLibraryTried) return;
  m_bLibraryTried = true;
  m_pLib = LoadPulseLibrary();
  if (!m_pLib) return;
  m_pLoop = m_pLib->pa_threaded_mainloop_new();
  if (!m_pLoop) return;
  m_pApi = m_pLib->pa_threaded_mainloop_get_api(m_pLoop);
  m_pConnect = m_pApi->defer_new(m_pApi, &CPulseVoice::OnConnect, this);
  m_pApi->defer_enable(m_pConnect, 0);
  if (m_pLib->pa_threaded_mainloop_start(m_pLoop) < 0) {
    m_pLib->pa_threaded_mainloop_free(m_pLoop);
    m_pLoop = nullptr;
    return;
  }
  m_pLib->pa_threaded_mainloop_lock(m_pLoop);
  EnsureContext();
  m_pLib->pa_threaded_mainloop_unlock(m_pLoop);
}

void CPulseVoice::Play(int key) {
  Prepare();
  if (!m_pLoop) return;
  m_pLib->pa_threaded_mainloop_lock(m_pLoop);
  if (m_nSounding >= 0) Silence(m_streams[m_nSounding]);
  m_nSounding = -1;
  const auto it = m_streams.find(key);
  if (it != m_streams.end()) {
    m_nSounding = key;
    m_requested = Clock::now();
    if (EnsureContext() && m_pLib->pa_context_get_state(m_pContext) == PA_CONTEXT_READY) Start(key);
    ArmTimer(microseconds(it->second.clip.DurationUs()) + kLateStart + kAfterEnd);
  }
  m_pLib->pa_threaded_mainloop_unlock(m_pLoop);
}

// Under the lock: true while a connection is there or being made; otherwise
// the library's thread is asked to make one, which keeps reading its
// configuration and knocking on a missing server's door off this thread.
bool CPulseVoice::EnsureContext() {
  if (m_pContext && PA_CONTEXT_IS_GOOD(m_pLib->pa_context_get_state(m_pContext))) return true;
  m_pApi->defer_enable(m_pConnect, 1);
  return false;
}

// In the library's thread, once for each time it is asked.
void CPulseVoice::OnConnect(pa_mainloop_api* api, pa_defer_event* event, void* self) {
  api->defer_enable(event, 0);
  auto* voice = static_cast<CPulseVoice*>(self);
  const PulseLibrary& lib = *voice->m_pLib;
  if (voice->m_pContext && PA_CONTEXT_IS_GOOD(lib.pa_context_get_state(voice->m_pContext))) return;
  voice->DropStreams();
  voice->DropContext();
  voice->m_pContext = lib.pa_context_new(api, voice->m_names.application.c_str());
  if (!voice->m_pContext) return;
  lib.pa_context_set_state_callback(voice->m_pContext, &CPulseVoice::OnContextState, voice);
  // Starting a server is the desktop's business, not a game's.
  if (lib.pa_context_connect(voice->m_pContext, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0)
    voice->DropContext();
}

void CPulseVoice::DropContext() {
  if (!m_pContext) return;
  m_pLib->pa_context_set_state_callback(m_pContext, nullptr, nullptr);
  m_pLib->pa_context_disconnect(m_pContext);
  m_pLib->pa_context_unref(m_pContext);
  m_pContext = nullptr;
}

void CPulseVoice::DropStreams() {
  for (auto& [key, entry] : m_streams) ReleaseStream(entry);
}

// Under the lock: the entry's stream, if any, is let go; one still connected
// is disconnected first.
void CPulseVoice::ReleaseStream(Stream& entry) {
  entry.startWhenReady = false;
  if (!entry.stream) return;
  m_pLib->pa_stream_set_state_callback(entry.stream, nullptr, nullptr);
  if (PA_STREAM_IS_GOOD(m_pLib->pa_stream_get_state(entry.stream)))
    m_pLib->pa_stream_disconnect(entry.stream);
  m_pLib->pa_stream_unref(entry.stream);
  entry.stream = nullptr;
}

// Under the lock, with the connection ready: a stream for every clip that
// has none, corked until its clip is played.
void CPulseVoice::MakeStreams() {
  for (auto& [key, entry] : m_streams) {
    if (entry.stream && PA_STREAM_IS_GOOD(m_pLib->pa_stream_get_state(entry.stream))) continue;
    ReleaseStream(entry);
    MakeStream(entry);
  }
}

// Under the lock, with the connection ready.
void CPulseVoice::Start(int key) {
  MakeStreams();
  Stream& entry = m_streams[key];
  if (!entry.stream) return;
  if (m_pLib->pa_stream_get_state(entry.stream) == PA_STREAM_READY)
    Write(entry);
  else
    entry.startWhenReady = true;
}

void CPulseVoice::MakeStream(Stream& entry) {
  const pa_sample_spec spec = SpecOf(entry.clip);
  entry.stream = m_pLib->pa_stream_new(m_pContext, m_names.stream.c_str(), &spec, nullptr);
  if (!entry.stream) return;
  m_pLib->pa_stream_set_state_callback(entry.stream, &CPulseVoice::OnStreamState, this);
  // A small target latency makes the server mix the clip in at once. With
  // no prebuffering the stream starts and stops only when it is (un)corked,
  // and each clip is written at the play position, replacing what was there.
  pa_buffer_attr attr{};
  attr.maxlength = static_cast<std::uint32_t>(-1);
  attr.tlength = static_cast<std::uint32_t>(
      m_pLib->pa_usec_to_bytes(static_cast<pa_usec_t>(kTargetLatency.count()), &spec));
  attr.prebuf = 0;
  attr.minreq = static_cast<std::uint32_t>(-1);
  attr.fragsize = static_cast<std::uint32_t>(-1);
  const auto flags =
      static_cast<pa_stream_flags_t>(PA_STREAM_START_CORKED | PA_STREAM_ADJUST_LATENCY);
  if (m_pLib->pa_stream_connect_playback(entry.stream, nullptr, &attr, flags, nullptr, nullptr) < 0)
    ReleaseStream(entry);
}

// Under the lock, on a ready stream: the clip from its first sample, now.
void CPulseVoice::Write(Stream& entry) {
  entry.startWhenReady = false;
  const auto& samples = entry.clip.samples;
  m_pLib->pa_stream_write(entry.stream, samples.data(), samples.size(), nullptr, 0,
                          PA_SEEK_RELATIVE_ON_READ);
  if (pa_operation* op = m_pLib->pa_stream_cork(entry.stream, 0, nullptr, nullptr))
    m_pLib->pa_operation_unref(op);
}

// Under the lock: the stream stops at once and forgets what it still held.
void CPulseVoice::Silence(Stream& entry) {
  entry.startWhenReady = false;
  if (!entry.stream || m_pLib->pa_stream_get_state(entry.stream) != PA_STREAM_READY) return;
  if (pa_operation* op = m_pLib->pa_stream_cork(entry.stream, 1, nullptr, nullptr))
    m_pLib->pa_operation_unref(op);
  if (pa_operation* op = m_pLib->pa_stream_flush(entry.stream, nullptr, nullptr))
    m_pLib->pa_operation_unref(op);
}

void CPulseVoice::ArmTimer(std::chrono::microseconds delay) {
  timeval when{};
  gettimeofday(&when, nullptr);
  const long long usec = when.tv_usec + delay.count();
  when.tv_sec += static_cast<time_t>(usec / 1000000);
  when.tv_usec = static_cast<suseconds_t>(usec % 1000000);
  if (m_pTimer)
    m_pApi->time_restart(m_pTimer, &when);
  else
    m_pTimer = m_pApi->time_new(m_pApi, &when, &CPulseVoice::OnTimer, this);
}

void CPulseVoice::OnContextState(pa_context* context, void* self) {
  auto* voice = static_cast<CPulseVoice*>(self);
  if (voice->m_pLib->pa_context_get_state(context) != PA_CONTEXT_READY) return;
  if (voice->m_nSounding >= 0 && Clock::now() - voice->m_requested < kLateStart)
    voice->Start(voice->m_nSounding);
  else
    voice->MakeStreams();
}

void CPulseVoice::OnStreamState(pa_stream* stream, void* self) {
  auto* voice = static_cast<CPulseVoice*>(self);
  if (voice->m_pLib->pa_stream_get_state(stream) != PA_STREAM_READY) return;
  const auto it = voice->m_streams.find(voice->m_nSounding);
  if (it == voice->m_streams.end() || it->second.stream != stream) return;
  if (it->second.startWhenReady && Clock::now() - voice->m_requested < kLateStart)
    voice->Write(it->second);
}

// Once after a clip has ended; then nothing is timed until the next clip.
void CPulseVoice::OnTimer(pa_mainloop_api* api, pa_time_event* event, const struct timeval*,
                          void* self) {
  auto* voice = static_cast<CPulseVoice*>(self);
  if (voice->m_nSounding >= 0) voice->Silence(voice->m_streams[voice->m_nSounding]);
  voice->m_nSounding = -1;
  api->time_restart(event, nullptr);
}
