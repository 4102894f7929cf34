// ogg_writer.h: writes test sounds as Ogg Vorbis files (libvorbisenc).
#pragma once

#include <string>
#include <vector>

// Interleaved 16-bit PCM of a sine tone: frames × channels values.
std::vector<short> SineFrames(int frames, int channels, int hertz, float pitch);
// Encodes interleaved 16-bit PCM as an Ogg Vorbis file; false if it could not be written.
bool WriteOgg(const std::string& path, const std::vector<short>& pcm, int channels, int hertz);
