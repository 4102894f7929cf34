// Entry points of the asset generator's sound modules.
#pragma once

#include <cstdint>
#include <vector>

#include "image.h"
#include "synth.h"

namespace assetgen {

// Writes every sound effect as sfx/NNN.wav.
void writeSoundEffects(AssetWriter& out);
// Writes the looping tune sfx/Freeflowing.ogg.
void writeMusic(AssetWriter& out);
// Encodes a stereo pair of equally long channels as Ogg Vorbis at kSampleRate;
// the stream holds exactly left.size() sample frames.
std::vector<uint8_t> encodeOggVorbis(const Samples& left, const Samples& right, float quality, int serial);

}  // namespace assetgen
