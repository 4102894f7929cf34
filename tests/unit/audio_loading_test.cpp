// audio_loading_test.cpp: sound files through the host into samples, and the
// audio module the game calls.
#include <gtest/gtest.h>

#include <cstdlib>

#include "audio/audio_api.h"
#include "host/kx_game.h"
#include "runtime/gc.h"
#include "support/ogg_writer.h"
#include "support/openal_sandbox.h"
#include "support/wav_builder.h"

namespace {

// Generated sound files in one temporary directory.
struct SoundFiles {
	std::string dir = MakeTempDir();
	std::string stereo16 = dir + "/stereo16.wav";
	std::string capitals = dir + "/CAPITALS.WAV";
	std::string mono8 = dir + "/mono8.wav";
	std::string bits24 = dir + "/bits24.wav";
	std::string extension = dir + "/stereo16.wavx";
	std::string music = dir + "/music.ogg";
	std::string missing = dir + "/missing.wav";

	SoundFiles() {
		WavLayout stereo;
		stereo.dataBytes = 40000;
		WavLayout mono = stereo;
		mono.channels = 1;
		mono.bits = 8;
		mono.dataBytes = 2205;
		WavLayout deep = stereo;
		deep.bits = 24;
		deep.dataBytes = 600;
		EXPECT_TRUE(WriteBytes(stereo16, MakeWav(stereo)));
		EXPECT_TRUE(WriteBytes(capitals, MakeWav(stereo)));
		EXPECT_TRUE(WriteBytes(extension, MakeWav(stereo)));
		EXPECT_TRUE(WriteBytes(mono8, MakeWav(mono)));
		EXPECT_TRUE(WriteBytes(bits24, MakeWav(deep)));
		EXPECT_TRUE(WriteOgg(music, SineFrames(44100, 2, 44100, 220.0f), 2, 44100));
	}
};

// The GLFW host the device loads through.
KxGlfwGame* Host() {
	static KxGlfwGame* host = KxGlfwGame::_glfwGame = new KxGlfwGame();
	return host;
}

// Decoded layout of a file, or all -1 with a null result.
struct HostLoad {
	bool loaded = false;
	int length = -1, channels = -1, format = -1, hertz = -1;
};

HostLoad LoadThroughHost(const std::string& path) {
	HostLoad out;
	unsigned char* data = Host()->LoadAudioData(String(path.c_str()), &out.length, &out.channels, &out.format, &out.hertz);
	out.loaded = data != nullptr;
	std::free(data);
	return out;
}

ALint BufferInt(ALuint buffer, ALenum what) {
	ALint value = -1;
	alGetBufferi(buffer, what, &value);
	return value;
}

gxtkSample* Load(gxtkAudio* audio, const std::string& path) {
	return audio->LoadSample(String(path.c_str()));
}

}  // namespace

TEST(AudioLoading, HostDecodesByExtensionInAnyCaseAndCountsTheBytes) {
	SoundFiles files;
	int before = gc_ext_new_bytes.load();
	HostLoad wav = LoadThroughHost(files.stereo16);
	EXPECT_TRUE(wav.loaded);
	EXPECT_EQ(wav.length, 10000);
	EXPECT_EQ(gc_ext_new_bytes.load() - before, 40000);

	HostLoad capitals = LoadThroughHost(files.capitals);
	EXPECT_TRUE(capitals.loaded);
	EXPECT_EQ(capitals.channels, 2);

	HostLoad ogg = LoadThroughHost(files.music);
	EXPECT_TRUE(ogg.loaded);
	EXPECT_EQ(ogg.length, 44100);
	EXPECT_EQ(ogg.format, 2);

	before = gc_ext_new_bytes.load();
	EXPECT_FALSE(LoadThroughHost(files.extension).loaded) << ".wavx";
	EXPECT_FALSE(LoadThroughHost(files.missing).loaded);
	EXPECT_EQ(gc_ext_new_bytes.load(), before);
}

TEST(AudioLoading, SamplesGetTheOpenALFormatOfTheirLayout) {
	EXPECT_TRUE(RunWithOpenAL(OpenALSetup(), [] {
		SoundFiles files;
		Host();
		gxtkAudio* audio = new gxtkAudio();
		gxtkSample* stereo = Load(audio, files.stereo16);
		ASSERT_NE(stereo, nullptr);
		EXPECT_EQ(BufferInt(stereo->bufferId, AL_BITS), 16);
		EXPECT_EQ(BufferInt(stereo->bufferId, AL_CHANNELS), 2);
		EXPECT_EQ(BufferInt(stereo->bufferId, AL_FREQUENCY), 22050);
		EXPECT_EQ(BufferInt(stereo->bufferId, AL_SIZE), 40000);

		gxtkSample* mono = Load(audio, files.mono8);
		ASSERT_NE(mono, nullptr);
		EXPECT_EQ(BufferInt(mono->bufferId, AL_BITS), 8) << "AL_FORMAT_MONO8";
		EXPECT_EQ(BufferInt(mono->bufferId, AL_CHANNELS), 1);

		gxtkSample* deep = Load(audio, files.bits24);
		ASSERT_NE(deep, nullptr) << "a 24-bit file still loads";
		EXPECT_NE(deep->bufferId, 0u);
		EXPECT_EQ(BufferInt(deep->bufferId, AL_SIZE), 0) << "but holds no sound";
		EXPECT_EQ(audio->PlaySample(deep, 0, 0), 0);

		EXPECT_EQ(Load(audio, files.missing), nullptr);
		EXPECT_EQ(Load(audio, files.extension), nullptr);
	}));
}

TEST(AudioLoading, LoadingFlushesTheDiscardList) {
	EXPECT_TRUE(RunWithOpenAL(OpenALSetup(), [] {
		SoundFiles files;
		Host();
		gxtkAudio* audio = new gxtkAudio();
		gxtkSample* sample = Load(audio, files.mono8);
		ASSERT_NE(sample, nullptr);
		ALuint buffer = sample->bufferId;
		sample->Discard();
		ASSERT_EQ(discarded.size(), 1u);
		Load(audio, files.missing);
		EXPECT_TRUE(discarded.empty());
		EXPECT_FALSE(alIsBuffer(buffer));
	}));
}

TEST(AudioLoading, EachPieceOfMusicDeletesTheBufferOfTheOneBefore) {
	EXPECT_TRUE(RunWithOpenAL(OpenALSetup(), [] {
		SoundFiles files;
		Host();
		gxtkAudio* audio = new gxtkAudio();
		String music(files.music.c_str());
		ASSERT_EQ(audio->PlayMusic(music, 1), 0);
		ALuint first = audio->channels[GXTK_MUSIC_CHANNEL].sampleRef->bufferId;
		ASSERT_TRUE(alIsBuffer(first));
		ASSERT_EQ(audio->PlayMusic(music, 1), 0);
		ALuint second = audio->channels[GXTK_MUSIC_CHANNEL].sampleRef->bufferId;
		// NOTE: OpenAL Soft may hand a deleted buffer's name to the next buffer.
		EXPECT_TRUE(second == first || !alIsBuffer(first)) << "a replaced piece kept its whole decoded buffer";
		EXPECT_TRUE(alIsBuffer(second));
		EXPECT_EQ(audio->MusicState(), 1);
		EXPECT_EQ(audio->PlayMusic(String(files.missing.c_str()), 1), -1);
		EXPECT_FALSE(alIsBuffer(second)) << "a piece that did not load still replaces the one before";
		EXPECT_EQ(audio->PlayMusic(music, 0), 0);
		EXPECT_EQ(audio->MusicState(), 1);
	}));
}

TEST(AudioModule, SoundsAndMusicReachTheDevice) {
	EXPECT_TRUE(RunWithOpenAL(OpenALSetup(), [] {
		SoundFiles files;
		Host();
		gxtkAudio* audio = new gxtkAudio();
		kx_audio_SetAudioDevice(audio);
		EXPECT_EQ(kx_audio_device, audio);

		EXPECT_EQ(kx_audio_LoadSound(String(files.missing.c_str())), nullptr);
		c_Sound* sound = kx_audio_LoadSound(String(files.stereo16.c_str()));
		ASSERT_NE(sound, nullptr);
		ASSERT_NE(sound->m_sample, nullptr);
		kx_audio_PlaySound(nullptr, 4, 0);
		kx_audio_PlaySound((new c_Sound())->m_new2(), 4, 0);
		EXPECT_EQ(audio->ChannelState(4), 0) << "nothing to play";
		kx_audio_PlaySound(sound, 4, 1);
		EXPECT_EQ(audio->ChannelState(4), 1);
		EXPECT_EQ(audio->channels[4].sampleRef, sound->m_sample);
		kx_audio_SetChannelVolume(4, 0.5f);
		kx_audio_SetChannelRate(4, 0.75f);
		kx_audio_SetChannelPan(4, -1.0f);
		float gain = 0, pitch = 0, x = 0, y = 0, z = 0;
		ALuint source = audio->channels[4].sourceId;
		alGetSourcef(source, AL_GAIN, &gain);
		alGetSourcef(source, AL_PITCH, &pitch);
		alGetSource3f(source, AL_POSITION, &x, &y, &z);
		EXPECT_FLOAT_EQ(gain, 0.5f);
		EXPECT_FLOAT_EQ(pitch, 0.75f);
		EXPECT_NEAR(x, -0.841f, 1e-3);
		kx_audio_StopChannel(4);
		EXPECT_EQ(audio->ChannelState(4), 0);

		EXPECT_EQ(kx_audio_PlayMusic(String(files.music.c_str()), 1), 0);
		EXPECT_EQ(audio->MusicState(), 1);
		kx_audio_PauseMusic();
		EXPECT_EQ(audio->MusicState(), 2);
		kx_audio_ResumeMusic();
		EXPECT_EQ(audio->MusicState(), 1);
		EXPECT_EQ(kx_audio_PlayMusic(String(files.missing.c_str()), 1), -1);
		EXPECT_EQ(audio->MusicState(), 0) << "the old piece stopped first";
		kx_audio_PlayMusic(String(files.music.c_str()), 0);
		kx_audio_StopMusic();
		EXPECT_EQ(audio->MusicState(), 0);
	}));
}
