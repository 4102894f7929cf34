// gxtk_audio.cpp: the audio device's suspension.
#include "audio/gxtk_audio.h"

gxtkAudio::gxtkAudio() {}

int gxtkAudio::Suspend() {
	return 0;
}

int gxtkAudio::Resume() {
	return 0;
}
