// audio_api.h: the audio device the application plays through.
#pragma once

#include "audio/gxtk_audio.h"

extern gxtkAudio* kx_audio_device;

int kx_audio_SetAudioDevice(gxtkAudio* device);
