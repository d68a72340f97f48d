// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A RIFF WAVE file read in place: where its PCM samples lie and how to play
// them. Nothing is copied or converted, so what the sound server is given is
// exactly the resource's sample data.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

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

// The clip's samples as signed 16-bit little-endian, the form it is played
// in. Unsigned 8-bit silence is 0x80, and a server that fills a starved
// stream with zero bytes would hold such a stream at full-scale negative;
// in 16 bits zero is silence. (x - 128) << 8 widens exactly.
std::vector<std::uint8_t> SignedSixteenBit(const WaveClip& clip);
