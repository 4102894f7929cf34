// gxtk_audio.h: the sound device, a fixed bank of numbered OpenAL channels.
//
// gxtkAudio owns 33 channels: 0-31 for sound effects, 32 for music. Each
// channel plays one gxtkSample (a whole decoded sound in one OpenAL buffer) at
// a time. Sources are created lazily per channel; when OpenAL has no more, a
// stopped channel's source is taken over. Discarded sample buffers wait in
// `discarded` and are deleted at the next play or load that finds them idle.
// Channel numbers outside 0-32 are ignored (a play on one returns -1).
#pragma once

#include <AL/al.h>
#include <AL/alc.h>

#include <vector>

#include "runtime/object.h"

//----------------------------------------------------------------------------
// Constants
//----------------------------------------------------------------------------

// Channels 0-31 play effects; the last one plays music.
const int GXTK_CHANNEL_COUNT = 33;
const int GXTK_MUSIC_CHANNEL = 32;

// Channel states.
const int GXTK_CHANNEL_STOPPED = 0;
const int GXTK_CHANNEL_PLAYING = 1;
const int GXTK_CHANNEL_PAUSED = 2;

//----------------------------------------------------------------------------
// Samples and channels
//----------------------------------------------------------------------------

// A decoded sound held in one OpenAL buffer.
class gxtkSample : public Object {
public:
	ALuint bufferId = 0;

	gxtkSample() = default;
	explicit gxtkSample(ALuint buffer);
	~gxtkSample() override;

	void SetBuffer(ALuint buffer);
	// Queues the buffer for deletion and forgets it; returns 0.
	virtual int Discard();
};

// One numbered channel (a plain record inside gxtkAudio).
struct gxtkChannel {
	ALuint sourceId;
	gxtkSample* sampleRef;
	int playFlags;
	int channelState;

	// The channel's source, created or taken over on first use; 0 if none.
	ALuint AL_Source();
};

// Buffer names of discarded samples, deleted once no source plays them.
extern std::vector<ALuint> discarded;

//----------------------------------------------------------------------------
// Device
//----------------------------------------------------------------------------

class gxtkAudio : public Object {
public:
	ALCdevice* alcDevice = nullptr;
	ALCcontext* alcContext = nullptr;
	gxtkChannel channels[GXTK_CHANNEL_COUNT] = {};
	// The piece PlayMusic loaded last; its buffer goes when the next one loads.
	gxtkSample* music = nullptr;

	// The one device; channels find their siblings through it.
	static gxtkAudio* audio;

	// Opens the default OpenAL device and gives the music channel its source.
	gxtkAudio();

	// Reports the samples that are still playing, and the last piece of music.
	void mark() override;

	virtual int Suspend();
	virtual int Resume();
	virtual gxtkSample* LoadSample(String path);
	virtual bool LoadSample__UNSAFE__(gxtkSample* sample, String path);
	virtual int PlaySample(gxtkSample* sample, int channel, int flags);
	virtual int StopChannel(int channel);
	virtual int PauseChannel(int channel);
	virtual int ResumeChannel(int channel);
	virtual int ChannelState(int channel);
	virtual int SetVolume(int channel, float volume);
	virtual int SetPan(int channel, float pan);
	virtual int SetRate(int channel, float rate);
	virtual int PlayMusic(String path, int flags);
	virtual int StopMusic();
	virtual int PauseMusic();
	virtual int ResumeMusic();
	virtual int MusicState();
	virtual int SetMusicVolume(float volume);

	// Deletes the discarded buffers that no source holds any more.
	void FlushDiscarded();
};
