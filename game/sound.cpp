// sound.cpp: sound effects on a ring of voices, and one tune at a time.
//
// Effects play on the next of 24 voices, each bound to an audio channel, so
// a new effect cuts off the one played 24 effects earlier. Sound mode
// (m_option[5]): 0 off, 1 effects and music, 2 effects only, 3 music only.
#include "audio/audio_api.h"
#include "game/my_app.h"

namespace {

const int OPT_SOUND_MODE = 5;
const int MODE_ALL = 1;
const int MODE_EFFECTS = 2;
const int MODE_MUSIC = 3;

}  // namespace

// The file of effect id: "sfx/" + three digits + ".wav".
String c_MyApp::p_SfxPath(int id) {
	String prefix("sfx/");
	if (id < 10) prefix = String("sfx/00");
	else if (id < 100) prefix = String("sfx/0");
	return prefix + String(id) + String(".wav");
}

// Loads effect id into its slot.
// NOTE: ids outside the 100 slots only name a file; nothing is stored.
int c_MyApp::p_LoadSFX(int id) {
	c_Sound* sound = kx_audio_LoadSound(p_SfxPath(id));
	if (id >= 0 && id < m_sounds.Length()) gc_assign(m_sounds[id], sound);
	return 0;
}

// Plays effect id on the next voice with rate, volume and pan.
int c_MyApp::p_PlaySFX(int id, float rate, float volume, float pan) {
	int mode = m_option[OPT_SOUND_MODE];
	if (mode != MODE_ALL && mode != MODE_EFFECTS) return 0;
	m_sfxVoice = (m_sfxVoice + 1) % SFX_VOICES;
	int channel = m_sfxChannel[m_sfxVoice];
	kx_audio_StopChannel(channel);
	if (id >= 0 && id < m_sounds.Length() && m_sounds[id]) kx_audio_PlaySound(m_sounds[id], channel, 0);
	kx_audio_SetChannelRate(channel, rate);
	kx_audio_SetChannelVolume(channel, volume);
	kx_audio_SetChannelPan(channel, pan);
	return 0;
}

// The (id, volume) form.
int c_MyApp::p_PlaySFX(int id, float volume) {
	return p_PlaySFX(id, 1.0f, volume, 0.0f);
}

// The (id, rate) form.
int c_MyApp::p_PlaySFX2(int id, float rate) {
	return p_PlaySFX(id, rate, 1.0f, 0.0f);
}

// Stops any tune, then starts "sfx/" + name + ".ogg" when music may play.
int c_MyApp::p_PlayTune(String name, int loop) {
	if (m_musicOn != 0) {
		kx_audio_StopMusic();
		m_musicOn = 0;
	}
	int mode = m_option[OPT_SOUND_MODE];
	if (mode == MODE_ALL || mode == MODE_MUSIC) {
		kx_audio_PlayMusic(String("sfx/") + name + String(".ogg"), loop);
		m_musicOn = 1;
	}
	return 0;
}

// Stops the tune.
int c_MyApp::p_StopTune() {
	kx_audio_StopMusic();
	m_musicOn = 0;
	return 0;
}
