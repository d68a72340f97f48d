// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

namespace resgen {

// Complete RIFF WAVE files: 8-bit unsigned mono PCM.
std::vector<std::uint8_t> MakeDropSound();    // soft thud, 19886 Hz, 3622 samples
std::vector<std::uint8_t> MakeRemoveSound();  // pop, 8363 Hz, 598 samples
std::vector<std::uint8_t> MakeShiftSound();   // rising slide, 19886 Hz, 4826 samples
std::vector<std::uint8_t> MakeTallySound();   // tick, 19886 Hz, 598 samples
std::vector<std::uint8_t> MakeUndoSound();    // falling 'rewind' warble, 7457 Hz, 3768 samples

// Wraps 8-bit samples in a RIFF WAVE file.
std::vector<std::uint8_t> EncodeWave8(unsigned sampleRate,
                                      const std::vector<std::uint8_t>& samples);

}  // namespace resgen
