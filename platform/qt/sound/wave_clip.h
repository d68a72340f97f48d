#pragma once
// A RIFF WAVE file read in place: where its PCM samples lie and how to play
// them. Nothing is copied or converted, so what the sound server is given is
// exactly the resource's sample data.
#include <cstdint>
#include <optional>
#include <span>

struct WaveClip {
  unsigned sampleRate = 0;
  unsigned channels = 0;
  unsigned bitsPerSample = 0;  // 8 (unsigned) or 16 (signed, little-endian)
  std::span<const std::uint8_t> samples;

  unsigned FrameBytes() const { return channels * bitsPerSample / 8; }
  std::size_t Frames() const { return samples.size() / FrameBytes(); }
  // How long the clip sounds, in microseconds.
  std::uint64_t DurationUs() const { return Frames() * 1000000ULL / sampleRate; }
};

// Uncompressed PCM of 8 or 16 bits in one or two channels; anything else,
// or a file whose chunks run past its end, gives nothing.
std::optional<WaveClip> ReadWaveClip(std::span<const std::uint8_t> file);
