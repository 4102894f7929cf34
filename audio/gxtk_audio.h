// gxtk_audio.h: the audio device the delegate creates, paused while the
// game is suspended.
#pragma once

#include "runtime/object.h"

class gxtkAudio : public Object {
public:
	gxtkAudio();
	// Pauses every playing channel.
	virtual int Suspend();
	// Resumes the channels Suspend paused.
	virtual int Resume();
};
