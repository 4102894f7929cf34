// audio_api.cpp: the framework's audio module over the device.
#include "audio/audio_api.h"

// The data path of an asset name (runtime files module).
String kx_data_FixDataPath(String path);

gxtkAudio* kx_audio_device = nullptr;

//----------------------------------------------------------------------------
// Sounds
//----------------------------------------------------------------------------

// A sound holding sample.
c_Sound* c_Sound::m_new(gxtkSample* sample) {
	gc_assign(m_sample, sample);
	return this;
}

// A sound without a sample.
c_Sound* c_Sound::m_new2() {
	return this;
}

// Keeps the sample alive with the sound.
void c_Sound::mark() {
	gc_mark_q(m_sample);
}

//----------------------------------------------------------------------------
// Module
//----------------------------------------------------------------------------

// Chooses the device every other function uses.
int kx_audio_SetAudioDevice(gxtkAudio* device) {
	gc_assign(kx_audio_device, device);
	return 0;
}

// Loads the sample behind a data path.
c_Sound* kx_audio_LoadSound(String path) {
	gxtkSample* sample = kx_audio_device->LoadSample(kx_data_FixDataPath(path));
	if (!sample) return nullptr;
	return (new c_Sound())->m_new(sample);
}

// Plays a loaded sound; a missing sound or sample plays nothing.
int kx_audio_PlaySound(c_Sound* sound, int channel, int flags) {
	if (sound && sound->m_sample) kx_audio_device->PlaySample(sound->m_sample, channel, flags);
	return 0;
}

// The device's StopChannel.
int kx_audio_StopChannel(int channel) {
	kx_audio_device->StopChannel(channel);
	return 0;
}

// The device's SetVolume.
int kx_audio_SetChannelVolume(int channel, float volume) {
	kx_audio_device->SetVolume(channel, volume);
	return 0;
}

// The device's SetPan (an angle in radians).
int kx_audio_SetChannelPan(int channel, float pan) {
	kx_audio_device->SetPan(channel, pan);
	return 0;
}

// The device's SetRate.
int kx_audio_SetChannelRate(int channel, float rate) {
	kx_audio_device->SetRate(channel, rate);
	return 0;
}

// Plays a whole music file on the music channel.
int kx_audio_PlayMusic(String path, int flags) {
	return kx_audio_device->PlayMusic(kx_data_FixDataPath(path), flags);
}

// The device's StopMusic.
int kx_audio_StopMusic() {
	kx_audio_device->StopMusic();
	return 0;
}

// The device's PauseMusic.
int kx_audio_PauseMusic() {
	kx_audio_device->PauseMusic();
	return 0;
}

// The device's ResumeMusic.
int kx_audio_ResumeMusic() {
	kx_audio_device->ResumeMusic();
	return 0;
}
