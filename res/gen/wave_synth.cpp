// SPDX-License-Identifier: GPL-3.0-or-later
#include "wave_synth.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "indexed_image.h"

namespace resgen {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2.0 * kPi;

// Every effect is a sum of sines whose frequency may glide; the phase is
// integrated sample by sample so that glides stay smooth. Nothing random is
// used, so each build yields the same bytes.
struct Voice {
  std::function<double(double t)> frequency;  // Hz at time t (0..1 of the sound)
  double weight;
};

// Peak level kept below full scale so that effects never clip.
constexpr double kPeak = 0.8;
// Fade-in and fade-out at the ends so playback starts and stops without a click.
constexpr double kFadeSeconds = 0.003;

std::vector<std::uint8_t> Render(unsigned rate, std::size_t count, const std::vector<Voice>& voices,
                                 const std::function<double(double t)>& envelope) {
  std::vector<double> phases(voices.size(), 0.0);
  std::vector<std::uint8_t> samples(count);
  const double fadeSamples = kFadeSeconds * rate;
  double totalWeight = 0.0;
  for (const Voice& v : voices) totalWeight += v.weight;

  for (std::size_t i = 0; i < count; ++i) {
    const double t = static_cast<double>(i) / static_cast<double>(count);
    double value = 0.0;
    for (std::size_t k = 0; k < voices.size(); ++k) {
      value += voices[k].weight * std::sin(phases[k]);
      phases[k] += kTwoPi * voices[k].frequency(t) / rate;
      phases[k] = std::fmod(phases[k], kTwoPi);
    }
    value /= totalWeight;

    const double fromStart = static_cast<double>(i);
    const double fromEnd = static_cast<double>(count - 1 - i);
    const double fade = std::min({1.0, fromStart / fadeSamples, fromEnd / fadeSamples});
    const double level = value * envelope(t) * fade * kPeak;
    const long sample = std::lround(128.0 + 127.0 * std::clamp(level, -1.0, 1.0));
    samples[i] = static_cast<std::uint8_t>(std::clamp(sample, 0L, 255L));
  }
  return samples;
}

double Glide(double from, double to, double t) { return from * std::pow(to / from, t); }

}  // namespace

std::vector<std::uint8_t> EncodeWave8(unsigned sampleRate,
                                      const std::vector<std::uint8_t>& samples) {
  const auto dataBytes = static_cast<std::uint32_t>(samples.size());
  std::vector<std::uint8_t> out;
  out.reserve(44 + samples.size() + 1);
  const auto tag = [&out](const char* four) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(four[i]));
  };
  tag("RIFF");
  PutLe32(out, 36 + dataBytes + (dataBytes & 1));
  tag("WAVE");
  tag("fmt ");
  PutLe32(out, 16);
  PutLe16(out, 1);  // PCM
  PutLe16(out, 1);  // mono
  PutLe32(out, sampleRate);
  PutLe32(out, sampleRate);  // one byte per sample
  PutLe16(out, 1);           // block alignment
  PutLe16(out, 8);           // bits per sample
  tag("data");
  PutLe32(out, dataBytes);
  out.insert(out.end(), samples.begin(), samples.end());
  if (dataBytes & 1) out.push_back(128);  // RIFF chunks are word aligned
  return out;
}

std::vector<std::uint8_t> MakeDropSound() {
  // A low body falling in pitch with a little second harmonic: a soft thud
  // as a column lands.
  const std::vector<Voice> voices = {
      {[](double t) { return Glide(170.0, 65.0, t); }, 1.0},
      {[](double t) { return 2.0 * Glide(170.0, 65.0, t); }, 0.25},
  };
  return EncodeWave8(19886, Render(19886, 3622, voices, [](double t) {
                       const double attack = std::min(1.0, t / 0.04);
                       return attack * std::exp(-6.0 * t);
                     }));
}

std::vector<std::uint8_t> MakeRemoveSound() {
  // A quick upward chirp that dies fast: a bubble-like pop.
  const std::vector<Voice> voices = {
      {[](double t) { return Glide(420.0, 1250.0, std::sqrt(t)); }, 1.0},
      {[](double t) { return 1.5 * Glide(420.0, 1250.0, std::sqrt(t)); }, 0.2},
  };
  return EncodeWave8(8363, Render(8363, 598, voices, [](double t) {
                       const double attack = std::min(1.0, t / 0.08);
                       return attack * std::exp(-4.0 * t);
                     }));
}

std::vector<std::uint8_t> MakeShiftSound() {
  // Columns sliding together: a soft tonal sweep that swells and fades,
  // with a slight detuned partner for a breathy width.
  const auto sweep = [](double t) {
    return Glide(260.0, 720.0, t) * (1.0 + 0.02 * std::sin(kTwoPi * 9.0 * t));
  };
  const std::vector<Voice> voices = {
      {sweep, 1.0},
      {[sweep](double t) { return 1.01 * sweep(t); }, 0.6},
      {[sweep](double t) { return 2.0 * sweep(t); }, 0.15},
  };
  return EncodeWave8(19886, Render(19886, 4826, voices,
                                   [](double t) { return std::pow(std::sin(kPi * t), 1.5); }));
}

std::vector<std::uint8_t> MakeTallySound() {
  // A short bright tick for each counted tile.
  const std::vector<Voice> voices = {
      {[](double) { return 2100.0; }, 1.0},
      {[](double) { return 3150.0; }, 0.3},
  };
  return EncodeWave8(19886,
                     Render(19886, 598, voices, [](double t) { return std::exp(-7.0 * t); }));
}

std::vector<std::uint8_t> MakeUndoSound() {
  // A tape-rewind feel: a long falling sweep with a fast warble.
  const std::vector<Voice> voices = {
      {[](double t) {
         return Glide(1100.0, 180.0, t) * (1.0 + 0.04 * std::sin(kTwoPi * 14.0 * t));
       },
       1.0},
      {[](double t) { return 0.5 * Glide(1100.0, 180.0, t); }, 0.35},
  };
  return EncodeWave8(7457, Render(7457, 3768, voices, [](double t) {
                       const double attack = std::min(1.0, t / 0.05);
                       const double tremolo = 0.8 + 0.2 * std::sin(kTwoPi * 22.0 * t);
                       return attack * tremolo * (1.0 - 0.6 * t);
                     }));
}

}  // namespace resgen
