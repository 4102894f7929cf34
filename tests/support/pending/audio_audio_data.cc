// audio_audio_data.cc: fallback sound decoding of the GLFW host, linked into
// the test programs only while audio/audio_data.cpp is not in the tree.
#include "host/kx_game.h"

unsigned char* KxGlfwGame::LoadAudioData(String, int*, int*, int*, int*) {
	return nullptr;
}
