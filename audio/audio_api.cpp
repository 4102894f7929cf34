// audio_api.cpp: the audio device global.
#include "audio/audio_api.h"

gxtkAudio* kx_audio_device;

int kx_audio_SetAudioDevice(gxtkAudio* device) {
	gc_assign(kx_audio_device, device);
	return 0;
}
