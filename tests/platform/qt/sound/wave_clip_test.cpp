// SPDX-License-Identifier: GPL-3.0-or-later
// The effects reach the sound server as read in place from their files: the
// format and the span of samples must be the file's own, or they play at the
// wrong pitch, with a click, or cut short.
#include "platform/qt/sound/wave_clip.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "res/binary_resources.h"
#include "res/resource_ids.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void Put32(Bytes& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
void Put16(Bytes& out, unsigned v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Tag(Bytes& out, const char* tag) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(tag[i]));
}

struct Chunk {
  const char* tag;
  Bytes body;
  std::uint32_t declared;  // the size the header gives
};

Chunk Fmt(unsigned formatTag, unsigned channels, unsigned rate, unsigned bits,
          unsigned blockAlign) {
  Bytes b;
  Put16(b, formatTag);
  Put16(b, channels);
  Put32(b, rate);
  Put32(b, rate * blockAlign);
  Put16(b, blockAlign);
  Put16(b, bits);
  return {"fmt ", b, 16};
}
Chunk Body(const char* tag, std::size_t size) {
  Bytes b(size);
  for (std::size_t i = 0; i < size; ++i) b[i] = static_cast<std::uint8_t>(i);
  return {tag, b, static_cast<std::uint32_t>(size)};
}

Bytes Riff(const std::vector<Chunk>& chunks) {
  Bytes out;
  Tag(out, "RIFF");
  Put32(out, 0);
  Tag(out, "WAVE");
  for (const Chunk& c : chunks) {
    Tag(out, c.tag);
    Put32(out, c.declared);
    out.insert(out.end(), c.body.begin(), c.body.end());
    if (c.body.size() % 2) out.push_back(0);
  }
  return out;
}

TEST(WaveClip, TheEffectsAreReadAsTheirFilesSay) {
  struct Case {
    int id;
    unsigned rate;
    std::size_t frames;
    std::uint64_t durationUs;
  };
  for (const Case c : {Case{SND_DROP, 19886, 3622, 182138}, Case{SND_REMOVE, 8363, 598, 71505},
                       Case{SND_SHIFT, 19886, 4826, 242683}, Case{SND_TALLY, 19886, 598, 30071},
                       Case{SND_UNDO, 7457, 3768, 505297}}) {
    SCOPED_TRACE(c.id);
    const auto file = res::FindResource(res::ResourceType::Wave, c.id);
    const auto clip = ReadWaveClip(file);
    ASSERT_TRUE(clip);
    EXPECT_EQ(clip->sampleRate, c.rate);
    EXPECT_EQ(clip->channels, 1u);
    EXPECT_EQ(clip->bitsPerSample, 8u);
    EXPECT_EQ(clip->Frames(), c.frames);
    EXPECT_EQ(clip->DurationUs(), c.durationUs);
    // In place: the samples are the file's own bytes after the header.
    EXPECT_EQ(clip->samples.data(), file.data() + 44);
  }
}

TEST(WaveClip, FindsTheSamplesPastOtherChunksAndWholeFramesOnly) {
  // An odd-sized chunk before the data is followed by a pad byte.
  const Bytes padded = Riff({Body("LIST", 3), Fmt(1, 1, 8000, 8, 1), Body("data", 10)});
  const auto clip = ReadWaveClip(padded);
  ASSERT_TRUE(clip);
  EXPECT_EQ(clip->samples.data(), padded.data() + 12 + 8 + 4 + 8 + 16 + 8);
  EXPECT_EQ(clip->samples.size(), 10u);
  EXPECT_EQ(clip->samples[1], 1);

  // 16-bit stereo: four bytes a frame, a trailing part frame is dropped.
  const Bytes stereo = Riff({Fmt(1, 2, 44100, 16, 4), Body("data", 4410 * 4 + 3)});
  const auto wide = ReadWaveClip(stereo);
  ASSERT_TRUE(wide);
  EXPECT_EQ(wide->Frames(), 4410u);
  EXPECT_EQ(wide->samples.size(), 4410u * 4);
  EXPECT_EQ(wide->DurationUs(), 100000u);
}

TEST(WaveClip, WidensEightBitsExactlyAndLeavesSixteenAlone) {
  // Silence (0x80) becomes 0, the extremes -32768 and 32512.
  WaveClip narrow{8000, 1, 8, {}};
  const Bytes eight = {0x80, 0x00, 0xff, 0x81, 0x7f};
  narrow.samples = eight;
  EXPECT_EQ(SignedSixteenBit(narrow), (Bytes{0, 0, 0, 0x80, 0, 0x7f, 0, 0x01, 0, 0xff}));

  const Bytes sixteen = {0x34, 0x12, 0xcc, 0xed};
  WaveClip wide{8000, 1, 16, sixteen};
  EXPECT_EQ(SignedSixteenBit(wide), sixteen);
}

TEST(WaveClip, RefusesWhatItCannotPlayAsIs) {
  Chunk overlong = Body("data", 8);
  overlong.declared = 9;
  const std::vector<std::pair<std::string, Bytes>> cases = {
      {"compressed", Riff({Fmt(2, 1, 8000, 8, 1), Body("data", 8)})},
      {"24 bits", Riff({Fmt(1, 1, 8000, 24, 3), Body("data", 9)})},
      {"block alignment unlike the frame", Riff({Fmt(1, 1, 8000, 16, 1), Body("data", 8)})},
      {"no rate", Riff({Fmt(1, 1, 0, 8, 1), Body("data", 8)})},
      {"data before its format", Riff({Body("data", 8), Fmt(1, 1, 8000, 8, 1)})},
      {"data past the end", Riff({Fmt(1, 1, 8000, 8, 1), overlong})},
      {"no samples", Riff({Fmt(1, 1, 8000, 8, 1), Body("data", 0)})},
      {"no data", Riff({Fmt(1, 1, 8000, 8, 1)})},
      {"not a RIFF file", Bytes{'R', 'I', 'F', 'X', 0, 0, 0, 0, 'W', 'A', 'V', 'E'}},
  };
  for (const auto& [name, file] : cases) EXPECT_FALSE(ReadWaveClip(file)) << name;
}

}  // namespace
