// Ogg Vorbis encoding of stereo float samples with libvorbisenc.
#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cstring>

#include "audio.h"

namespace assetgen {

namespace {

constexpr int kStereo = 2;
// Sample frames handed to the encoder at a time.
constexpr int kChunkFrames = 4096;

// Appends one Ogg page to the output bytes.
void appendPage(std::vector<uint8_t>& out, const ogg_page& page) {
  out.insert(out.end(), page.header, page.header + page.header_len);
  out.insert(out.end(), page.body, page.body + page.body_len);
}

}  // namespace

// Encodes a stereo pair of equally long channels as Ogg Vorbis at kSampleRate;
std::vector<uint8_t> encodeOggVorbis(const Samples& left, const Samples& right, float quality, int serial) {
  std::vector<uint8_t> out;
  vorbis_info info;
  vorbis_info_init(&info);
  if (vorbis_encode_init_vbr(&info, kStereo, kSampleRate, quality) != 0) {
    vorbis_info_clear(&info);
    return out;
  }
  vorbis_comment comment;
  vorbis_comment_init(&comment);
  vorbis_comment_add_tag(&comment, "TITLE", "Freeflowing");
  vorbis_comment_add_tag(&comment, "ARTIST", "Zimbolo");
  vorbis_dsp_state dsp;
  vorbis_block block;
  vorbis_analysis_init(&dsp, &info);
  vorbis_block_init(&dsp, &block);
  ogg_stream_state stream;
  ogg_stream_init(&stream, serial);

  ogg_packet header, headerComment, headerCode;
  vorbis_analysis_headerout(&dsp, &comment, &header, &headerComment, &headerCode);
  ogg_stream_packetin(&stream, &header);
  ogg_stream_packetin(&stream, &headerComment);
  ogg_stream_packetin(&stream, &headerCode);
  ogg_page page;
  while (ogg_stream_flush(&stream, &page) != 0) appendPage(out, page);

  size_t frames = std::min(left.size(), right.size());
  size_t pos = 0;
  bool finished = false;
  bool endSignalled = false;
  while (!finished) {
    if (pos < frames) {
      int n = static_cast<int>(std::min<size_t>(kChunkFrames, frames - pos));
      float** buffer = vorbis_analysis_buffer(&dsp, n);
      std::memcpy(buffer[0], left.data() + pos, sizeof(float) * static_cast<size_t>(n));
      std::memcpy(buffer[1], right.data() + pos, sizeof(float) * static_cast<size_t>(n));
      vorbis_analysis_wrote(&dsp, n);
      pos += static_cast<size_t>(n);
    } else if (!endSignalled) {
      vorbis_analysis_wrote(&dsp, 0);
      endSignalled = true;
    } else {
      break;
    }
    while (vorbis_analysis_blockout(&dsp, &block) == 1) {
      vorbis_analysis(&block, nullptr);
      vorbis_bitrate_addblock(&block);
      ogg_packet packet;
      while (vorbis_bitrate_flushpacket(&dsp, &packet) == 1) {
        ogg_stream_packetin(&stream, &packet);
        while (ogg_stream_pageout(&stream, &page) != 0) {
          appendPage(out, page);
          if (ogg_page_eos(&page)) finished = true;
        }
      }
    }
  }
  while (ogg_stream_flush(&stream, &page) != 0) appendPage(out, page);
  ogg_stream_clear(&stream);
  vorbis_block_clear(&block);
  vorbis_dsp_clear(&dsp);
  vorbis_comment_clear(&comment);
  vorbis_info_clear(&info);
  return out;
}

}  // namespace assetgen
