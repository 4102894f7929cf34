// gxtk_audio.cpp: the sound device, its channels and samples.
#include "audio/gxtk_audio.h"

#include <cmath>
#include <cstdlib>

#include "host/kx_game.h"
#include "runtime/errors.h"

//----------------------------------------------------------------------------
// Globals
//----------------------------------------------------------------------------

std::vector<ALuint> discarded;
gxtkAudio* gxtkAudio::audio = nullptr;

namespace {

// Channels whose sources may be taken over (the music channel keeps its own).
const int GXTK_EFFECT_CHANNELS = 32;

// The OpenAL state of a source; AL_STOPPED for a channel that has none.
ALint SourceState(ALuint source) {
	ALint state = AL_STOPPED;
	if (source) alGetSourcei(source, AL_SOURCE_STATE, &state);
	return state;
}

// The OpenAL buffer format for bytes per sample and channel count; 0 if none.
ALenum BufferFormat(int format, int channels) {
	if (format == 1 && channels == 1) return AL_FORMAT_MONO8;
	if (format == 1 && channels == 2) return AL_FORMAT_STEREO8;
	if (format == 2 && channels == 1) return AL_FORMAT_MONO16;
	if (format == 2 && channels == 2) return AL_FORMAT_STEREO16;
	return 0;
}

// The record of a channel number, or null outside 0-32.
gxtkChannel* ChannelAt(gxtkAudio* device, int channel) {
	return channel >= 0 && channel < GXTK_CHANNEL_COUNT ? &device->channels[channel] : nullptr;
}

// The source of a channel number (created on first use); 0 if none or out of range.
ALuint ChannelSource(gxtkAudio* device, int channel) {
	gxtkChannel* chan = ChannelAt(device, channel);
	return chan ? chan->AL_Source() : 0;
}

// Appends a buffer name to the discard list and returns 0 (its new value).
ALuint DiscardBuffer(ALuint buffer) {
	if (buffer) discarded.push_back(buffer);
	return 0;
}

}  // namespace

//----------------------------------------------------------------------------
// Samples
//----------------------------------------------------------------------------

// A sample over an existing buffer.
gxtkSample::gxtkSample(ALuint buffer) : bufferId(buffer) {}

// A collected sample hands its buffer to the discard list.
gxtkSample::~gxtkSample() {
	kxPrint("Discarding sample");
	bufferId = DiscardBuffer(bufferId);
}

// Replaces the buffer name (the old one is not deleted).
void gxtkSample::SetBuffer(ALuint buffer) {
	bufferId = buffer;
}

// Queues the buffer for deletion.
int gxtkSample::Discard() {
	bufferId = DiscardBuffer(bufferId);
	return 0;
}

//----------------------------------------------------------------------------
// Channels
//----------------------------------------------------------------------------

// A new source if OpenAL gives one, else the source of the first stopped effect channel.
ALuint gxtkChannel::AL_Source() {
	if (sourceId) return sourceId;
	alGetError();
	ALuint source = 0;
	alGenSources(1, &source);
	if (alGetError() == AL_NO_ERROR) {
		sourceId = source;
		return sourceId;
	}
	gxtkAudio* device = gxtkAudio::audio;
	for (int i = 0; i < GXTK_EFFECT_CHANNELS; ++i) {
		gxtkChannel& other = device->channels[i];
		if (other.sourceId && device->ChannelState(i) == GXTK_CHANNEL_STOPPED) {
			sourceId = other.sourceId;
			other.sourceId = 0;
			return sourceId;
		}
	}
	return 0;
}

//----------------------------------------------------------------------------
// Device
//----------------------------------------------------------------------------

// Opens the default device; without one the object still works, silently.
gxtkAudio::gxtkAudio() {
	audio = this;
	alcDevice = alcOpenDevice(nullptr);
	if (!alcDevice) {
		kxPrint("OpenAl error: alcOpenDevice failed");
	} else if (!(alcContext = alcCreateContext(alcDevice, nullptr))) {
		kxPrint("OpenAl error: alcCreateContext failed");
	} else if (!alcMakeContextCurrent(alcContext)) {
		kxPrint("OpenAl error: alcMakeContextCurrent failed");
	}
	// NOTE: positions only give a direction; distance never attenuates.
	alDistanceModel(AL_NONE);
	channels[GXTK_MUSIC_CHANNEL].AL_Source();
}

// A sample stays alive while a channel is still sounding it; the last piece
// of music stays until the next replaces it.
void gxtkAudio::mark() {
	for (gxtkChannel& chan : channels) {
		if (chan.channelState != GXTK_CHANNEL_STOPPED && SourceState(chan.sourceId) != AL_STOPPED) {
			gc_mark_q(chan.sampleRef);
		}
	}
	gc_mark_q(music);
}

// Pauses the sources of playing channels; their states stay "playing".
int gxtkAudio::Suspend() {
	for (gxtkChannel& chan : channels) {
		if (chan.channelState == GXTK_CHANNEL_PLAYING && SourceState(chan.sourceId) == AL_PLAYING) {
			alSourcePause(chan.sourceId);
		}
	}
	return 0;
}

// Restarts what Suspend paused; channels the game paused stay paused.
int gxtkAudio::Resume() {
	for (gxtkChannel& chan : channels) {
		if (chan.channelState == GXTK_CHANNEL_PLAYING && SourceState(chan.sourceId) == AL_PAUSED) {
			alSourcePlay(chan.sourceId);
		}
	}
	return 0;
}

// Detaches buffers from sources that have stopped, then deletes what it can.
void gxtkAudio::FlushDiscarded() {
	if (discarded.empty()) return;
	// NOTE: channels stopped by StopChannel are detached too; otherwise their
	// last buffer could never be deleted until the channel played again.
	for (gxtkChannel& chan : channels) {
		if (chan.sourceId && SourceState(chan.sourceId) == AL_STOPPED) alSourcei(chan.sourceId, AL_BUFFER, 0);
	}
	size_t kept = 0;
	for (ALuint buffer : discarded) {
		alGetError();
		alDeleteBuffers(1, &buffer);
		if (alGetError() != AL_NO_ERROR) discarded[kept++] = buffer;
	}
	discarded.resize(kept);
}

//----------------------------------------------------------------------------
// Playing
//----------------------------------------------------------------------------

// Starts a sample on a channel, cutting off what played there; -1 without a source.
int gxtkAudio::PlaySample(gxtkSample* sample, int channel, int flags) {
	FlushDiscarded();
	ALuint source = ChannelSource(this, channel);
	if (!source) return -1;
	gxtkChannel* chan = &channels[channel];
	alSourceStop(source);
	alSourcei(source, AL_BUFFER, static_cast<ALint>(sample->bufferId));
	alSourcei(source, AL_LOOPING, flags ? AL_TRUE : AL_FALSE);
	alSourcePlay(source);
	gc_assign(chan->sampleRef, sample);
	chan->playFlags = flags;
	chan->channelState = GXTK_CHANNEL_PLAYING;
	return 0;
}

// Stops a playing or paused channel.
int gxtkAudio::StopChannel(int channel) {
	gxtkChannel* chan = ChannelAt(this, channel);
	if (chan && chan->channelState != GXTK_CHANNEL_STOPPED) {
		alSourceStop(chan->sourceId);
		chan->channelState = GXTK_CHANNEL_STOPPED;
	}
	return 0;
}

// Pauses a playing channel, or notes that its sound has already ended.
int gxtkAudio::PauseChannel(int channel) {
	gxtkChannel* chan = ChannelAt(this, channel);
	if (!chan || chan->channelState != GXTK_CHANNEL_PLAYING) return 0;
	if (SourceState(chan->sourceId) == AL_STOPPED) {
		chan->channelState = GXTK_CHANNEL_STOPPED;
	} else {
		alSourcePause(chan->sourceId);
		chan->channelState = GXTK_CHANNEL_PAUSED;
	}
	return 0;
}

// Continues a paused channel.
int gxtkAudio::ResumeChannel(int channel) {
	gxtkChannel* chan = ChannelAt(this, channel);
	if (chan && chan->channelState == GXTK_CHANNEL_PAUSED) {
		alSourcePlay(chan->sourceId);
		chan->channelState = GXTK_CHANNEL_PLAYING;
	}
	return 0;
}

// 0 stopped, 1 playing, 2 paused; a finished sound is seen as stopped here.
int gxtkAudio::ChannelState(int channel) {
	gxtkChannel* chan = ChannelAt(this, channel);
	if (!chan) return GXTK_CHANNEL_STOPPED;
	if (chan->channelState == GXTK_CHANNEL_PLAYING && SourceState(chan->sourceId) == AL_STOPPED) {
		chan->channelState = GXTK_CHANNEL_STOPPED;
	}
	return chan->channelState;
}

// Source gain; it stays on the source for later plays.
int gxtkAudio::SetVolume(int channel, float volume) {
	ALuint source = ChannelSource(this, channel);
	if (source) alSourcef(source, AL_GAIN, volume);
	return 0;
}

// Source direction: pan is an angle in radians, 0 straight ahead.
int gxtkAudio::SetPan(int channel, float pan) {
	ALuint source = ChannelSource(this, channel);
	if (source) alSource3f(source, AL_POSITION, std::sin(pan), 0.0f, -std::cos(pan));
	return 0;
}

// Source pitch; 1 is normal speed.
int gxtkAudio::SetRate(int channel, float rate) {
	ALuint source = ChannelSource(this, channel);
	if (source) alSourcef(source, AL_PITCH, rate);
	return 0;
}

//----------------------------------------------------------------------------
// Music
//----------------------------------------------------------------------------

// Loads a whole piece and plays it on the music channel; -1 if it did not load.
// NOTE: the piece before is discarded at once, so that the load deletes its
// buffer: left to the collector, a whole decoded piece per call could wait
// for minutes, as the game allocates little once it runs.
int gxtkAudio::PlayMusic(String path, int flags) {
	StopMusic();
	if (music) music->Discard();
	gxtkSample* sample = LoadSample(path);
	gc_assign(music, sample);
	if (!sample) return -1;
	PlaySample(sample, GXTK_MUSIC_CHANNEL, flags);
	return 0;
}

// The music channel's StopChannel.
int gxtkAudio::StopMusic() {
	return StopChannel(GXTK_MUSIC_CHANNEL);
}

// The music channel's PauseChannel.
int gxtkAudio::PauseMusic() {
	return PauseChannel(GXTK_MUSIC_CHANNEL);
}

// The music channel's ResumeChannel.
int gxtkAudio::ResumeMusic() {
	return ResumeChannel(GXTK_MUSIC_CHANNEL);
}

// The music channel's ChannelState.
int gxtkAudio::MusicState() {
	return ChannelState(GXTK_MUSIC_CHANNEL);
}

// The music channel's SetVolume.
int gxtkAudio::SetMusicVolume(float volume) {
	return SetVolume(GXTK_MUSIC_CHANNEL, volume);
}

//----------------------------------------------------------------------------
// Loading
//----------------------------------------------------------------------------

// A new sample from a sound file, or null when the file does not decode.
gxtkSample* gxtkAudio::LoadSample(String path) {
	FlushDiscarded();
	gxtkSample* sample = new gxtkSample();
	return LoadSample__UNSAFE__(sample, path) ? sample : nullptr;
}

// Decodes a file into a new buffer of the sample; true also when OpenAL refuses the data.
bool gxtkAudio::LoadSample__UNSAFE__(gxtkSample* sample, String path) {
	// NOTE: a host that is not a GLFW host (a test host) loads no sounds.
	KxGlfwGame* host = KxGlfwGame::_glfwGame;
	if (!host) return false;
	int length = 0, chans = 0, format = 0, hertz = 0;
	unsigned char* data = host->LoadAudioData(path, &length, &chans, &format, &hertz);
	if (!data) return false;
	ALuint buffer = 0;
	alGenBuffers(1, &buffer);
	// NOTE: an unsupported format gives OpenAL format 0, which it rejects: the sample is silent.
	alBufferData(buffer, BufferFormat(format, chans), data, length * chans * format, hertz);
	std::free(data);
	sample->SetBuffer(buffer);
	return true;
}
