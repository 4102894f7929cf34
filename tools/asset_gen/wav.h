// Plain RIFF/WAVE encoding of 16-bit mono PCM.
#pragma once

#include <cstdint>
#include <vector>

#include "synth.h"

namespace assetgen {

// Encodes samples (-1..1) as a 16-bit mono WAV file at kSampleRate: a RIFF
// header, a 16-byte "fmt " chunk and the "data" chunk.
std::vector<uint8_t> encodeWav(const Samples& samples);

}  // namespace assetgen
