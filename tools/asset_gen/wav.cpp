// 16-bit mono WAV writer.
#include "wav.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

namespace {

constexpr uint16_t kPcmFormat = 1;
constexpr uint16_t kMonoChannels = 1;
constexpr uint16_t kBitsPerSample = 16;
constexpr uint32_t kFmtChunkSize = 16;
constexpr float kFullScale = 32767.0f;
// RIFF header, fmt chunk and data chunk header together.
constexpr size_t kHeaderBytes = 44;

// Appends a little-endian value of a byte width.
void put(std::vector<uint8_t>& out, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>((v >> (8 * i)) & 0xff));
}

// Appends a four-character chunk tag.
void tag(std::vector<uint8_t>& out, const char* t) { out.insert(out.end(), t, t + 4); }

}  // namespace

// Encodes samples (-1..1) as a 16-bit mono WAV file at kSampleRate: a RIFF
std::vector<uint8_t> encodeWav(const Samples& samples) {
  uint32_t blockAlign = kMonoChannels * kBitsPerSample / 8;
  uint32_t dataBytes = static_cast<uint32_t>(samples.size()) * blockAlign;
  std::vector<uint8_t> out;
  out.reserve(kHeaderBytes + dataBytes);
  tag(out, "RIFF");
  put(out, 4 + (8 + kFmtChunkSize) + (8 + dataBytes), 4);
  tag(out, "WAVE");
  tag(out, "fmt ");
  put(out, kFmtChunkSize, 4);
  put(out, kPcmFormat, 2);
  put(out, kMonoChannels, 2);
  put(out, kSampleRate, 4);
  put(out, kSampleRate * blockAlign, 4);
  put(out, blockAlign, 2);
  put(out, kBitsPerSample, 2);
  tag(out, "data");
  put(out, dataBytes, 4);
  for (float v : samples) {
    float c = std::min(1.0f, std::max(-1.0f, v));
    put(out, static_cast<uint16_t>(static_cast<int16_t>(std::lround(c * kFullScale))), 2);
  }
  return out;
}

}  // namespace assetgen
