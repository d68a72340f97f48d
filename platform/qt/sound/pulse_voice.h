#pragma once
// One voice on the desktop's sound server: a clip started here cuts off the
// one sounding, and is heard from its first sample to its last.
//
// Each clip gets a stream of its own in its own format, so the server gets
// the samples untouched and resamples them itself. The streams are made as
// soon as the server is reached and kept: making one when its clip is due
// would start the clip late. A stream runs only while its clip sounds and is
// corked when the clip has ended, so an idle game keeps neither the server's
// mixer nor itself busy: the client library's thread sleeps in poll() with
// nothing to time.
//
// Every call returns at once: the server is reached from that thread. No
// server, or one that goes away, leaves the voice silent; each clip then has
// that thread look for it again, rather than a timer keeping watch.
#include <chrono>
#include <map>
#include <string>

#include "platform/qt/sound/wave_clip.h"

struct PulseLibrary;
struct pa_context;
struct pa_defer_event;
struct pa_mainloop_api;
struct pa_stream;
struct pa_threaded_mainloop;
struct pa_time_event;

// How the sound server's mixer names the game and its sounds.
struct VoiceNames {
  std::string application;
  std::string stream;
};

class CPulseVoice {
 public:
  // The clips' samples must outlive the voice.
  CPulseVoice(const std::map<int, WaveClip>& clips, VoiceNames names);
  ~CPulseVoice();
  CPulseVoice(const CPulseVoice&) = delete;
  CPulseVoice& operator=(const CPulseVoice&) = delete;

  // Loads the client library and starts connecting. Play does this itself
  // when needed; calling it beforehand takes the set-up out of the first
  // sound's way.
  void Prepare();
  bool Knows(int key) const { return m_streams.count(key) != 0; }
  // Starts the clip known by `key`; an unknown key only stops the sound.
  void Play(int key);

 private:
  struct Stream {
    pa_stream* stream = nullptr;
    WaveClip clip;
    bool startWhenReady = false;
  };
  using Clock = std::chrono::steady_clock;

  bool EnsureContext();
  void DropContext();
  void DropStreams();
  void ReleaseStream(Stream& entry);
  void MakeStreams();
  void MakeStream(Stream& entry);
  void Start(int key);
  void Write(Stream& entry);
  void Silence(Stream& entry);
  void ArmTimer(std::chrono::microseconds delay);

  static void OnConnect(pa_mainloop_api* api, pa_defer_event* event, void* self);
  static void OnContextState(pa_context* context, void* self);
  static void OnStreamState(pa_stream* stream, void* self);
  static void OnTimer(pa_mainloop_api* api, pa_time_event* event, const struct timeval* when,
                      void* self);

  const PulseLibrary* m_pLib = nullptr;
  pa_threaded_mainloop* m_pLoop = nullptr;
  pa_mainloop_api* m_pApi = nullptr;
  pa_context* m_pContext = nullptr;
  pa_time_event* m_pTimer = nullptr;
  pa_defer_event* m_pConnect = nullptr;
  bool m_bLibraryTried = false;
  // Everything below is shared with the library's thread, under its lock;
  // the set of keys is fixed from the start.
  std::map<int, Stream> m_streams;
  VoiceNames m_names;
  int m_nSounding = -1;  // key of the clip sounding or about to, or -1
  Clock::time_point m_requested{};
};
