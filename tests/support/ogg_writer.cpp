// ogg_writer.cpp: a small Ogg Vorbis encoder for test sounds.
#include "support/ogg_writer.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// Sample frames handed to the encoder at a time.
const int ENCODE_FRAMES = 1024;
// Variable bit-rate quality (-0.1 to 1).
const float ENCODE_QUALITY = 0.4f;
// Full scale of 16-bit samples.
const float PCM_SCALE = 32768.0f;
// Peak of the generated tones, half of full scale.
const float SINE_AMPLITUDE = 16000.0f;

// The encoder's state for one file.
struct OggEncoder {
	FILE* out = nullptr;
	vorbis_info info;
	vorbis_comment comment;
	vorbis_dsp_state dsp;
	vorbis_block block;
	ogg_stream_state stream;
};

// Writes one finished page.
void WritePage(OggEncoder& enc, const ogg_page& page) {
	std::fwrite(page.header, 1, page.header_len, enc.out);
	std::fwrite(page.body, 1, page.body_len, enc.out);
}

// Sets up the encoder and writes the three header packets.
bool StartEncoder(OggEncoder& enc, int channels, int hertz) {
	vorbis_info_init(&enc.info);
	if (vorbis_encode_init_vbr(&enc.info, channels, hertz, ENCODE_QUALITY) != 0) return false;
	vorbis_comment_init(&enc.comment);
	vorbis_analysis_init(&enc.dsp, &enc.info);
	vorbis_block_init(&enc.dsp, &enc.block);
	ogg_stream_init(&enc.stream, 1);
	ogg_packet id, comments, codebooks;
	vorbis_analysis_headerout(&enc.dsp, &enc.comment, &id, &comments, &codebooks);
	ogg_stream_packetin(&enc.stream, &id);
	ogg_stream_packetin(&enc.stream, &comments);
	ogg_stream_packetin(&enc.stream, &codebooks);
	ogg_page page;
	while (ogg_stream_flush(&enc.stream, &page)) WritePage(enc, page);
	return true;
}

// Encodes every block the analysis has ready and writes the full pages.
void DrainEncoder(OggEncoder& enc) {
	ogg_packet packet;
	ogg_page page;
	while (vorbis_analysis_blockout(&enc.dsp, &enc.block) == 1) {
		vorbis_analysis(&enc.block, nullptr);
		vorbis_bitrate_addblock(&enc.block);
		while (vorbis_bitrate_flushpacket(&enc.dsp, &packet)) {
			ogg_stream_packetin(&enc.stream, &packet);
			while (ogg_stream_pageout(&enc.stream, &page)) WritePage(enc, page);
		}
	}
}

// Hands frames [first, first + count) to the encoder as floats.
void FeedFrames(OggEncoder& enc, const std::vector<short>& pcm, int channels, int first, int count) {
	float** buffer = vorbis_analysis_buffer(&enc.dsp, count);
	for (int f = 0; f < count; ++f) {
		for (int c = 0; c < channels; ++c) buffer[c][f] = pcm[(first + f) * channels + c] / PCM_SCALE;
	}
	vorbis_analysis_wrote(&enc.dsp, count);
	DrainEncoder(enc);
}

// Ends the stream, flushes the last page and frees the encoder.
void FinishEncoder(OggEncoder& enc) {
	vorbis_analysis_wrote(&enc.dsp, 0);
	DrainEncoder(enc);
	ogg_page page;
	while (ogg_stream_flush(&enc.stream, &page)) WritePage(enc, page);
	ogg_stream_clear(&enc.stream);
	vorbis_block_clear(&enc.block);
	vorbis_dsp_clear(&enc.dsp);
	vorbis_comment_clear(&enc.comment);
}

}  // namespace

std::vector<short> SineFrames(int frames, int channels, int hertz, float pitch) {
	std::vector<short> pcm(static_cast<size_t>(frames) * channels);
	const double step = 2.0 * M_PI * pitch / hertz;
	for (int f = 0; f < frames; ++f) {
		short value = static_cast<short>(SINE_AMPLITUDE * std::sin(step * f));
		for (int c = 0; c < channels; ++c) pcm[static_cast<size_t>(f) * channels + c] = value;
	}
	return pcm;
}

bool WriteOgg(const std::string& path, const std::vector<short>& pcm, int channels, int hertz) {
	OggEncoder enc;
	enc.out = std::fopen(path.c_str(), "wb");
	if (!enc.out) return false;
	bool ok = StartEncoder(enc, channels, hertz);
	if (ok) {
		int frames = static_cast<int>(pcm.size()) / channels;
		for (int first = 0; first < frames; first += ENCODE_FRAMES) {
			FeedFrames(enc, pcm, channels, first, std::min(ENCODE_FRAMES, frames - first));
		}
		FinishEncoder(enc);
	}
	vorbis_info_clear(&enc.info);
	ok = std::fclose(enc.out) == 0 && ok;
	return ok;
}
