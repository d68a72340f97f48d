// SPDX-License-Identifier: GPL-3.0-or-later
// Finds the game's sounds in a recording of the sound server's output and
// checks each against the timeline the script expects.
//
//   sound_probe [--tolerance MS] RECORDING RATE EVENT...
//
// RECORDING is raw signed 16-bit little-endian mono at RATE Hz. Each EVENT is
// ID@GAP: wave resource ID starting GAP ms after the onset of the event before
// it (within the tolerance, 15 ms unless given), or ID@? for one that may
// start any time after it. Each sound must be heard from its first sample, to
// its last or else up to the onset of the next event, within the tolerance. The recording must
// never hold a constant level other than silence: a stream left to run dry on such a level clicks
// at both ends. Prints one line per event; exits 3 if a sound that may come any time is missing, 1
// at the first that is late or cut short or if a level is held, and shows the recording.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "res/binary_resources.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
// How much of a sound's start is compared to find where it begins.
constexpr double kOnsetWindowMs = 15;
constexpr double kBlockMs = 5;
constexpr double kOnsetMatch = 0.9;
// A constant level this long and this loud is held, not part of a sound.
// Fainter runs occur in the sounds' own quiet ends, where the 8-bit
// samples dwell a step or two from silence and a server may resample them
// to a flat line.
constexpr double kHeldMs = 2;
constexpr double kHeldLevel = 1.0 / 32;

using Signal = std::vector<double>;

std::optional<Signal> LoadRecording(const char* path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), {});
  Signal out(bytes.size() / 2);
  for (std::size_t i = 0; i < out.size(); ++i) {
    const auto lo = static_cast<std::uint8_t>(bytes[2 * i]);
    const auto hi = static_cast<std::uint8_t>(bytes[2 * i + 1]);
    out[i] = static_cast<std::int16_t>(lo | hi << 8) / 32768.0;
  }
  return out;
}

// The resource's samples at `rate`, on the recording's scale: the server
// widens 8-bit samples to 16 bits exactly, then resamples them.
std::optional<Signal> LoadSound(int id, double rate) {
  const auto file = res::FindResource(res::ResourceType::Wave, id);
  if (file.size() <= 44) return std::nullopt;
  const double from = file[24] | file[25] << 8 | file[26] << 16;
  const std::size_t count = file[40] | file[41] << 8 | file[42] << 16;
  if (file.size() < 44 + count) return std::nullopt;
  // Windowed-sinc interpolation, band-limited to the lower of the two rates.
  const double cutoff = 0.95 * std::min(from, rate) / from;  // in input samples
  const int taps = 24;
  Signal out(static_cast<std::size_t>(static_cast<double>(count) * rate / from));
  for (std::size_t j = 0; j < out.size(); ++j) {
    const double x = static_cast<double>(j) * from / rate;
    const auto centre = static_cast<long>(std::floor(x));
    double sum = 0;
    for (long k = centre - taps + 1; k <= centre + taps; ++k) {
      if (k < 0 || k >= static_cast<long>(count)) continue;
      const double d = x - static_cast<double>(k);
      const double sinc = d == 0 ? 1 : std::sin(kPi * cutoff * d) / (kPi * cutoff * d);
      const double window = 0.5 + 0.5 * std::cos(kPi * d / taps);
      sum += cutoff * sinc * window * (file[44 + k] - 128) / 128.0;
    }
    out[j] = sum;
  }
  return out;
}

// Normalised correlation of rec[at, at + n) with sound[0, n).
double Match(const Signal& rec, std::size_t at, const Signal& sound, std::size_t n) {
  if (at + n > rec.size()) return 0;
  double cross = 0, er = 0, es = 0;
  for (std::size_t i = 0; i < n; ++i) {
    cross += rec[at + i] * sound[i];
    er += rec[at + i] * rec[at + i];
    es += sound[i] * sound[i];
  }
  return er > 0 && es > 0 ? cross / std::sqrt(er * es) : 0;
}

// Where the sound starts in rec[lo, hi]: the best match there, or with
// `first`, the best near the first place it matches at all.
std::optional<std::size_t> FindOnset(const Signal& rec, const Signal& sound, std::size_t lo,
                                     std::size_t hi, std::size_t window, bool first,
                                     std::size_t near) {
  std::optional<std::size_t> best;
  double bestScore = kOnsetMatch;
  for (std::size_t at = lo; at <= hi && at + window <= rec.size(); ++at) {
    if (first && best && at > *best + near) break;
    const double score = Match(rec, at, sound, window);
    if (score > bestScore) bestScore = score, best = at;
  }
  return best;
}

// How much of its first `due` samples the sound is heard from `onset`, block
// by block: up to the first block where the sound has energy and the
// recording does not follow it.
std::size_t HeardFor(const Signal& rec, std::size_t onset, const Signal& sound, std::size_t due,
                     std::size_t block) {
  double loudest = 0;
  for (std::size_t b = 0; b + block <= sound.size(); b += block) {
    double e = 0;
    for (std::size_t i = b; i < b + block; ++i) e += sound[i] * sound[i];
    loudest = std::max(loudest, e);
  }
  for (std::size_t b = 0; b + block <= due; b += block) {
    double es = 0, residual = 0;
    for (std::size_t i = b; i < b + block; ++i) {
      const double r = onset + i < rec.size() ? rec[onset + i] : 0;
      es += sound[i] * sound[i];
      residual += (r - sound[i]) * (r - sound[i]);
    }
    if (es < 0.01 * loudest) continue;  // too faint to tell
    // What is left after taking the sound away must be small beside it.
    if (residual > 0.2 * es) return b;
  }
  return due;
}

// Which 10 ms of the recording hold any sound, for a failure to show.
void PrintActivity(const Signal& rec, double rate) {
  const auto block = static_cast<std::size_t>(rate / 100);
  std::printf("recording, 10 ms a character ('#' sound, '.' silence):\n");
  for (std::size_t b = 0; b < rec.size(); b += block) {
    bool sound = false;
    for (std::size_t i = b; i < std::min(rec.size(), b + block); ++i) sound |= rec[i] != 0;
    std::putchar(sound ? '#' : '.');
    if ((b / block) % 100 == 99) std::putchar('\n');
  }
  std::putchar('\n');
}

// Milliseconds of the recording spent in runs of one sample value of at
// least kHeldLevel lasting `minimum` or more; the effects are sums of sines
// that never stay put that long at any strength.
// Each run is printed, for a failure to show where and at what level.
double HeldLevelMs(const Signal& rec, std::size_t minimum, double rate) {
  std::size_t held = 0;
  for (std::size_t i = 0; i < rec.size();) {
    std::size_t end = i + 1;
    while (end < rec.size() && rec[end] == rec[i]) ++end;
    if (std::abs(rec[i]) >= kHeldLevel && end - i >= minimum) {
      held += end - i;
      std::printf("level %+.4f held for %.1f ms at %.1f ms\n", rec[i],
                  static_cast<double>(end - i) * 1000 / rate, static_cast<double>(i) * 1000 / rate);
    }
    i = end;
  }
  return static_cast<double>(held) * 1000 / rate;
}

struct Event {
  int id;
  std::optional<double> gapMs;
  Signal sound;
  std::size_t onset = 0;
};

}  // namespace

int main(int argc, char** argv) {
  double toleranceMs = 15;
  if (argc > 2 && std::string(argv[1]) == "--tolerance") {
    toleranceMs = std::atof(argv[2]);
    argv += 2;
    argc -= 2;
  }
  if (argc < 4) {
    std::cerr << "usage: sound_probe [--tolerance MS] RECORDING RATE ID@GAP|ID@? ...\n";
    return 2;
  }
  const auto rec = LoadRecording(argv[1]);
  const double rate = std::atof(argv[2]);
  if (!rec || rate <= 0) {
    std::cerr << "cannot read the recording " << argv[1] << "\n";
    return 2;
  }
  const auto samples = [rate](double ms) { return static_cast<std::size_t>(ms * rate / 1000); };
  const auto ms = [rate](std::size_t n) { return static_cast<double>(n) * 1000 / rate; };

  std::vector<Event> events;
  for (int i = 3; i < argc; ++i) {
    const std::string spec = argv[i];
    const std::size_t at = spec.find('@');
    Event e{std::atoi(spec.c_str()), std::nullopt, {}};
    if (at == std::string::npos) return 2;
    if (spec.substr(at + 1) != "?") e.gapMs = std::atof(spec.c_str() + at + 1);
    auto sound = LoadSound(e.id, rate);
    if (!sound) {
      std::cerr << "no wave resource " << e.id << "\n";
      return 2;
    }
    e.sound = std::move(*sound);
    events.push_back(std::move(e));
  }

  const double held = HeldLevelMs(*rec, samples(kHeldMs), rate);
  std::printf("level held between sounds: %.1f ms\n", held);
  if (held > 0) {
    std::printf("FAIL: the output holds a level other than silence for %.1f ms\n", held);
    PrintActivity(*rec, rate);
    return 1;
  }

  std::size_t previous = 0;
  for (std::size_t i = 0; i < events.size(); ++i) {
    Event& e = events[i];
    const std::size_t window = std::min(e.sound.size(), samples(kOnsetWindowMs));
    std::optional<std::size_t> onset;
    if (e.gapMs) {
      // Searched a little wider than allowed, so that a late sound is told
      // apart from a missing one; never before the sound it follows.
      const std::size_t centre = previous + samples(*e.gapMs);
      const std::size_t slack = samples(toleranceMs + 30);
      const std::size_t earliest = i ? previous + samples(kBlockMs) : 0;
      onset = FindOnset(*rec, e.sound, std::max(earliest, centre > slack ? centre - slack : 0),
                        centre + slack, window, false, 0);
    } else {
      onset = FindOnset(*rec, e.sound, i ? previous + 1 : 0, rec->size(), window, true,
                        samples(kBlockMs));
    }
    if (!onset) {
      std::printf("FAIL: sound %d (event %zu) is not heard%s\n", e.id, i + 1,
                  e.gapMs ? " where it belongs" : "");
      PrintActivity(*rec, rate);
      return e.gapMs ? 1 : 3;
    }
    e.onset = *onset;
    if (e.gapMs && i) {
      const double gap = ms(e.onset - previous);
      if (std::abs(gap - *e.gapMs) > toleranceMs) {
        std::printf("FAIL: sound %d (event %zu) starts %.1f ms after the one before, not %.0f\n",
                    e.id, i + 1, gap, *e.gapMs);
        PrintActivity(*rec, rate);
        return 1;
      }
    }
    previous = e.onset;
  }

  for (std::size_t i = 0; i < events.size(); ++i) {
    const Event& e = events[i];
    std::size_t due = e.sound.size();
    if (i + 1 < events.size()) due = std::min(due, events[i + 1].onset - e.onset);
    const std::size_t heard = HeardFor(*rec, e.onset, e.sound, due, samples(kBlockMs));
    std::printf("sound %d at %8.1f ms: heard %5.1f ms of %5.1f due\n", e.id, ms(e.onset), ms(heard),
                ms(due));
    if (ms(heard) + toleranceMs < ms(due)) {
      std::printf("FAIL: sound %d (event %zu) is cut short: heard %.1f ms of %.1f\n", e.id, i + 1,
                  ms(heard), ms(due));
      PrintActivity(*rec, rate);
      return 1;
    }
  }
  return 0;
}
