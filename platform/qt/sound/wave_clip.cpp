// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/sound/wave_clip.h"

namespace {
std::uint32_t Le32(std::span<const std::uint8_t> bytes, std::size_t at) {
  return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
         static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}
unsigned Le16(std::span<const std::uint8_t> bytes, std::size_t at) {
  return bytes[at] | bytes[at + 1] << 8;
}
bool IsTag(std::span<const std::uint8_t> bytes, std::size_t at, const char (&tag)[5]) {
  for (std::size_t i = 0; i < 4; ++i)
    if (bytes[at + i] != static_cast<std::uint8_t>(tag[i])) return false;
  return true;
}
}  // namespace

std::optional<WaveClip> ReadWaveClip(std::span<const std::uint8_t> file) {
  if (file.size() < 12 || !IsTag(file, 0, "RIFF") || !IsTag(file, 8, "WAVE")) return std::nullopt;
  WaveClip clip;
  bool haveFormat = false;
  // Chunks are word aligned: an odd-sized chunk is followed by a pad byte.
  for (std::size_t at = 12; at + 8 <= file.size();) {
    const std::size_t size = Le32(file, at + 4);
    const std::size_t body = at + 8;
    if (size > file.size() - body) return std::nullopt;
    if (IsTag(file, at, "fmt ")) {
      if (size < 16 || Le16(file, body) != 1) return std::nullopt;
      clip.channels = Le16(file, body + 2);
      clip.sampleRate = Le32(file, body + 4);
      clip.bitsPerSample = Le16(file, body + 14);
      if (clip.channels < 1 || clip.channels > 2 || clip.sampleRate == 0) return std::nullopt;
      if (clip.bitsPerSample != 8 && clip.bitsPerSample != 16) return std::nullopt;
      if (Le16(file, body + 12) != clip.FrameBytes()) return std::nullopt;
      haveFormat = true;
    } else if (IsTag(file, at, "data")) {
      if (!haveFormat) return std::nullopt;
      // A trailing part frame would shift every later sample of another channel.
      clip.samples = file.subspan(body, size - size % clip.FrameBytes());
      if (clip.samples.empty()) return std::nullopt;
      return clip;
    }
    at = body + size + (size & 1);
  }
  return std::nullopt;
}

std::vector<std::uint8_t> SignedSixteenBit(const WaveClip& clip) {
  if (clip.bitsPerSample == 16) return {clip.samples.begin(), clip.samples.end()};
  std::vector<std::uint8_t> out;
  out.reserve(clip.samples.size() * 2);
  for (const std::uint8_t sample : clip.samples) {
    // The high byte is x - 128 in two's complement, which is x ^ 0x80.
    out.push_back(0);
    out.push_back(static_cast<std::uint8_t>(sample ^ 0x80));
  }
  return out;
}
