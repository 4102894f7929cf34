// audio_api.h: the framework's audio module for the game.
//
// c_Sound wraps a loaded sample; the kx_audio_* functions play sounds and
// music on the device in kx_audio_device, which the host sets at start-up.
// Flags: non-zero loops.
#pragma once

#include "audio/gxtk_audio.h"

//----------------------------------------------------------------------------
// Sounds
//----------------------------------------------------------------------------

class c_Sound : public Object {
public:
	gxtkSample* m_sample = nullptr;

	c_Sound* m_new(gxtkSample* sample);
	c_Sound* m_new2();
	void mark() override;
};

//----------------------------------------------------------------------------
// Module
//----------------------------------------------------------------------------

extern gxtkAudio* kx_audio_device;

int kx_audio_SetAudioDevice(gxtkAudio* device);
// A sound from a data file, or null when it does not load.
c_Sound* kx_audio_LoadSound(String path);
int kx_audio_PlaySound(c_Sound* sound, int channel, int flags);
int kx_audio_StopChannel(int channel);
int kx_audio_SetChannelVolume(int channel, float volume);
int kx_audio_SetChannelPan(int channel, float pan);
int kx_audio_SetChannelRate(int channel, float rate);
// 0, or -1 when the file did not load.
int kx_audio_PlayMusic(String path, int flags);
int kx_audio_StopMusic();
int kx_audio_PauseMusic();
int kx_audio_ResumeMusic();
