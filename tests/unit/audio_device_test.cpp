// audio_device_test.cpp: channels, sources and samples of the sound device,
// each case in a child process on OpenAL Soft's null or wave backend.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include "audio/gxtk_audio.h"
#include "runtime/gc.h"
#include "support/ogg_writer.h"
#include "support/openal_sandbox.h"
#include "support/wav_builder.h"

namespace {

// Sample rate of the generated tones.
const int TONE_HERTZ = 44100;
// Frames of a tone that plays for one second.
const int ONE_SECOND = TONE_HERTZ;
// A tone short enough to be over after a short sleep.
const int BLIP = 441;
// Above this a wave-backend stretch counts as sound; at or below, as silence.
const int SOUND_LEVEL = 1000;
const int SILENCE_LEVEL = 4;

// A mono 16-bit sine tone in a new OpenAL buffer.
gxtkSample* Tone(int frames) {
	std::vector<short> pcm = SineFrames(frames, 1, TONE_HERTZ, 440.0f);
	ALuint buffer = 0;
	alGenBuffers(1, &buffer);
	alBufferData(buffer, AL_FORMAT_MONO16, pcm.data(), static_cast<ALsizei>(pcm.size() * 2), TONE_HERTZ);
	return new gxtkSample(buffer);
}

ALint SourceInt(ALuint source, ALenum what) {
	ALint value = 0;
	alGetSourcei(source, what, &value);
	return value;
}

ALint StateOf(gxtkAudio* audio, int channel) {
	return SourceInt(audio->channels[channel].sourceId, AL_SOURCE_STATE);
}

// Closes the device, which makes the wave backend finish its file.
void CloseDevice(gxtkAudio* audio) {
	alcMakeContextCurrent(nullptr);
	alcDestroyContext(audio->alcContext);
	alcCloseDevice(audio->alcDevice);
}

bool InDiscarded(ALuint buffer) {
	return std::find(discarded.begin(), discarded.end(), buffer) != discarded.end();
}

OpenALSetup WithSources(int sources) {
	OpenALSetup setup;
	setup.sources = sources;
	return setup;
}

}  // namespace

TEST(AudioDevice, OpensTheDeviceQuietlyAndGivesMusicItsSource) {
	EXPECT_TRUE(RunWithOpenAL(OpenALSetup(), [] {
		testing::internal::CaptureStdout();
		gxtkAudio* audio = new gxtkAudio();
		EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
		EXPECT_EQ(gxtkAudio::audio, audio);
		EXPECT_NE(audio->alcDevice, nullptr);
		EXPECT_NE(audio->alcContext, nullptr);
		EXPECT_NE(audio->channels[GXTK_MUSIC_CHANNEL].sourceId, 0u);
		for (int i = 0; i < GXTK_MUSIC_CHANNEL; ++i) {
			EXPECT_EQ(audio->channels[i].sourceId, 0u);
			EXPECT_EQ(audio->ChannelState(i), 0);
		}
		EXPECT_EQ(alGetInteger(AL_DISTANCE_MODEL), AL_NONE);
	}));
}

TEST(AudioDevice, WithoutAnyDeviceEverythingIsSilentAndHarmless) {
	OpenALSetup none;
	none.driver = "no-such-backend";
	EXPECT_TRUE(RunWithOpenAL(none, [] {
		ALCdevice* probe = alcOpenDevice(nullptr);
		ASSERT_EQ(probe, nullptr) << "the setup must offer no device";
		testing::internal::CaptureStdout();
		gxtkAudio* audio = new gxtkAudio();
		EXPECT_EQ(testing::internal::GetCapturedStdout(), "OpenAl error: alcOpenDevice failed\n");
		EXPECT_EQ(audio->alcDevice, nullptr);
		EXPECT_EQ(audio->channels[GXTK_MUSIC_CHANNEL].sourceId, 0u);
		gxtkSample* sample = new gxtkSample();
		EXPECT_EQ(audio->PlaySample(sample, 3, 0), -1);
		EXPECT_EQ(audio->PlaySample(sample, GXTK_MUSIC_CHANNEL, 1), -1);
		audio->SetVolume(3, 0.5f);
		audio->SetPan(3, 1.0f);
		audio->SetRate(3, 2.0f);
		audio->PauseChannel(3);
		audio->ResumeChannel(3);
		audio->StopChannel(3);
		audio->Suspend();
		audio->Resume();
		sample->Discard();
		audio->FlushDiscarded();
		EXPECT_EQ(audio->ChannelState(3), 0);
		EXPECT_EQ(audio->MusicState(), 0);
	}));
}

TEST(AudioDevice, PlayingAgainOnAChannelRestartsItWithTheNewSample) {
	EXPECT_TRUE(RunWithOpenAL(OpenALSetup(), [] {
		gxtkAudio* audio = new gxtkAudio();
		gxtkSample* first = Tone(2 * ONE_SECOND);
		gxtkSample* second = Tone(2 * ONE_SECOND);
		ASSERT_EQ(audio->PlaySample(first, 5, 0), 0);
		ALuint source = audio->channels[5].sourceId;
		SleepMs(300);
		ALint playedBefore = SourceInt(source, AL_SAMPLE_OFFSET);
		EXPECT_GT(playedBefore, 0);
		ASSERT_EQ(audio->PlaySample(second, 5, 0), 0);
		EXPECT_EQ(audio->channels[5].sourceId, source);
		EXPECT_EQ(SourceInt(source, AL_BUFFER), static_cast<ALint>(second->bufferId));
		EXPECT_LT(SourceInt(source, AL_SAMPLE_OFFSET), playedBefore);
		EXPECT_EQ(audio->channels[5].sampleRef, second);
		EXPECT_EQ(audio->ChannelState(5), 1);
		EXPECT_EQ(StateOf(audio, 5), AL_PLAYING);
	}));
}

TEST(AudioDevice, ChannelStateMachine) {
	EXPECT_TRUE(RunWithOpenAL(OpenALSetup(), [] {
		gxtkAudio* audio = new gxtkAudio();
		gxtkSample* blip = Tone(BLIP);
		gxtkSample* tone = Tone(ONE_SECOND);

		audio->ResumeChannel(1);
		EXPECT_EQ(audio->channels[1].channelState, 0) << "resume of a never used channel";

		audio->PlaySample(blip, 1, 0);
		SleepMs(200);
		EXPECT_EQ(audio->channels[1].channelState, 1) << "the end is seen lazily";
		audio->PauseChannel(1);
		EXPECT_EQ(audio->channels[1].channelState, 0) << "pausing a finished one-shot";

		audio->PlaySample(tone, 2, 0);
		audio->PauseChannel(2);
		EXPECT_EQ(audio->ChannelState(2), 2);
		EXPECT_EQ(StateOf(audio, 2), AL_PAUSED);
		audio->ResumeChannel(2);
		EXPECT_EQ(audio->ChannelState(2), 1);
		EXPECT_EQ(StateOf(audio, 2), AL_PLAYING);
		audio->ResumeChannel(2);
		EXPECT_EQ(audio->ChannelState(2), 1) << "resume of a playing channel";
		audio->StopChannel(2);
		EXPECT_EQ(audio->ChannelState(2), 0);
		EXPECT_EQ(StateOf(audio, 2), AL_STOPPED);
		audio->ResumeChannel(2);
		EXPECT_EQ(audio->ChannelState(2), 0) << "resume of a stopped channel";
		EXPECT_EQ(StateOf(audio, 2), AL_STOPPED);

		audio->PlaySample(blip, 3, 0);
		SleepMs(200);
		EXPECT_EQ(audio->ChannelState(3), 0) << "a finished one-shot reads as stopped";
	}));
}

TEST(AudioDevice, VolumePanAndRateStayOnTheSourceAndFlagsLoop) {
	EXPECT_TRUE(RunWithOpenAL(OpenALSetup(), [] {
		gxtkAudio* audio = new gxtkAudio();
		audio->SetPan(7, 1.0f);
		ALuint source = audio->channels[7].sourceId;
		ASSERT_NE(source, 0u) << "setting a value creates the source";
		audio->SetVolume(7, 0.25f);
		audio->SetRate(7, 1.5f);
		gxtkSample* tone = Tone(ONE_SECOND);
		audio->PlaySample(tone, 7, 2);
		float x = 0, y = 0, z = 0, gain = 0, pitch = 0;
		alGetSource3f(source, AL_POSITION, &x, &y, &z);
		alGetSourcef(source, AL_GAIN, &gain);
		alGetSourcef(source, AL_PITCH, &pitch);
		EXPECT_NEAR(x, 0.841f, 1e-3);
		EXPECT_NEAR(y, 0.0f, 1e-6);
		EXPECT_NEAR(z, -0.540f, 1e-3);
		EXPECT_FLOAT_EQ(gain, 0.25f);
		EXPECT_FLOAT_EQ(pitch, 1.5f);
		EXPECT_EQ(SourceInt(source, AL_LOOPING), AL_TRUE) << "flags 2";
		EXPECT_EQ(audio->channels[7].playFlags, 2);

		audio->SetPan(7, 0.0f);
		alGetSource3f(source, AL_POSITION, &x, &y, &z);
		EXPECT_NEAR(x, 0.0f, 1e-6);
		EXPECT_NEAR(z, -1.0f, 1e-6);
		audio->PlaySample(tone, 7, -1);
		EXPECT_EQ(SourceInt(source, AL_LOOPING), AL_TRUE) << "flags -1";
		audio->PlaySample(tone, 7, 0);
		EXPECT_EQ(SourceInt(source, AL_LOOPING), AL_FALSE) << "flags 0";
	}));
}

TEST(AudioDevice, MusicChannelOperations) {
	EXPECT_TRUE(RunWithOpenAL(OpenALSetup(), [] {
		gxtkAudio* audio = new gxtkAudio();
		audio->PlaySample(Tone(ONE_SECOND), GXTK_MUSIC_CHANNEL, 1);
		audio->SetMusicVolume(0.5f);
		float gain = 0;
		alGetSourcef(audio->channels[GXTK_MUSIC_CHANNEL].sourceId, AL_GAIN, &gain);
		EXPECT_FLOAT_EQ(gain, 0.5f);
		audio->PauseMusic();
		EXPECT_EQ(audio->MusicState(), 2);
		audio->ResumeMusic();
		EXPECT_EQ(audio->MusicState(), 1);
		audio->StopMusic();
		EXPECT_EQ(audio->MusicState(), 0);
	}));
}

TEST(AudioDevice, SuspendAndResumeLeaveGamePausedChannelsPaused) {
	EXPECT_TRUE(RunWithOpenAL(OpenALSetup(), [] {
		gxtkAudio* audio = new gxtkAudio();
		gxtkSample* tone = Tone(ONE_SECOND);
		audio->PlaySample(tone, 1, 1);
		audio->PlaySample(tone, 2, 1);
		audio->PauseChannel(2);
		audio->Suspend();
		EXPECT_EQ(StateOf(audio, 1), AL_PAUSED);
		EXPECT_EQ(audio->channels[1].channelState, 1);
		EXPECT_EQ(StateOf(audio, 2), AL_PAUSED);
		audio->Resume();
		EXPECT_EQ(StateOf(audio, 1), AL_PLAYING);
		EXPECT_EQ(audio->ChannelState(1), 1);
		EXPECT_EQ(StateOf(audio, 2), AL_PAUSED);
		EXPECT_EQ(audio->ChannelState(2), 2);
	}));
}

TEST(AudioDevice, StoppedChannelsGiveUpTheirSourcesWhenOpenALHasNoMore) {
	EXPECT_TRUE(RunWithOpenAL(WithSources(4), [] {
		gxtkAudio* audio = new gxtkAudio();
		gxtkSample* tone = Tone(ONE_SECOND);
		for (int ch = 0; ch < 3; ++ch) ASSERT_EQ(audio->PlaySample(tone, ch, 1), 0) << ch;
		EXPECT_EQ(audio->PlaySample(tone, 3, 1), -1) << "every source busy";
		EXPECT_EQ(audio->channels[3].sourceId, 0u);

		ALuint freed = audio->channels[1].sourceId;
		audio->StopChannel(1);
		ASSERT_EQ(audio->PlaySample(tone, 3, 1), 0);
		EXPECT_EQ(audio->channels[3].sourceId, freed);
		EXPECT_EQ(audio->channels[1].sourceId, 0u);
		EXPECT_EQ(audio->PlaySample(tone, 1, 1), -1);
		ALuint held = audio->channels[2].sourceId;
		audio->PauseChannel(2);
		EXPECT_EQ(audio->PlaySample(tone, 1, 1), -1) << "a paused channel keeps its source";
		EXPECT_EQ(audio->channels[2].sourceId, held);
		audio->ResumeChannel(2);
		EXPECT_EQ(StateOf(audio, 2), AL_PLAYING);

		gxtkSample* blip = Tone(BLIP);
		audio->PlaySample(blip, 0, 0);
		ALuint ended = audio->channels[0].sourceId;
		SleepMs(200);
		ASSERT_EQ(audio->PlaySample(tone, 1, 1), 0) << "a finished one-shot's source";
		EXPECT_EQ(audio->channels[1].sourceId, ended);
		EXPECT_EQ(audio->channels[GXTK_MUSIC_CHANNEL].sourceId != 0, true) << "music keeps its own";
	}));
}

TEST(AudioDevice, DiscardedBuffersWaitUntilNoSourcePlaysThem) {
	EXPECT_TRUE(RunWithOpenAL(OpenALSetup(), [] {
		gxtkAudio* audio = new gxtkAudio();
		gxtkSample* shortTone = Tone(ONE_SECOND / 4);
		gxtkSample* other = Tone(BLIP);
		ALuint buffer = shortTone->bufferId;
		audio->PlaySample(shortTone, 1, 0);
		EXPECT_EQ(shortTone->Discard(), 0);
		EXPECT_EQ(shortTone->bufferId, 0u);
		EXPECT_TRUE(InDiscarded(buffer));
		shortTone->Discard();
		EXPECT_EQ(std::count(discarded.begin(), discarded.end(), buffer), 1) << "discarded once";

		audio->PlaySample(other, 2, 0);
		EXPECT_TRUE(InDiscarded(buffer)) << "still playing on channel 1";
		EXPECT_TRUE(alIsBuffer(buffer));

		SleepMs(500);
		audio->PlaySample(other, 3, 0);
		EXPECT_FALSE(InDiscarded(buffer)) << "the flush found channel 1 stopped";
		EXPECT_FALSE(alIsBuffer(buffer));
		EXPECT_EQ(SourceInt(audio->channels[1].sourceId, AL_BUFFER), 0);
	}));
}

TEST(AudioDevice, BuffersOfChannelsStoppedByTheGameAreDeletedToo) {
	EXPECT_TRUE(RunWithOpenAL(OpenALSetup(), [] {
		gxtkAudio* audio = new gxtkAudio();
		gxtkSample* music = Tone(ONE_SECOND);
		ALuint buffer = music->bufferId;
		audio->PlaySample(music, GXTK_MUSIC_CHANNEL, 1);
		audio->StopMusic();
		music->Discard();
		audio->PlaySample(Tone(BLIP), 0, 0);
		EXPECT_FALSE(InDiscarded(buffer));
		EXPECT_FALSE(alIsBuffer(buffer));
		EXPECT_EQ(audio->MusicState(), 0);
	}));
}

TEST(AudioDevice, ChannelNumbersOutsideTheBankAreIgnored) {
	EXPECT_TRUE(RunWithOpenAL(OpenALSetup(), [] {
		gxtkAudio* audio = new gxtkAudio();
		gxtkSample* tone = Tone(BLIP);
		for (int channel : {-1, GXTK_CHANNEL_COUNT, 1000}) {
			EXPECT_EQ(audio->PlaySample(tone, channel, 0), -1) << channel;
			audio->SetVolume(channel, 0.5f);
			audio->SetPan(channel, 0.5f);
			audio->SetRate(channel, 0.5f);
			audio->PauseChannel(channel);
			audio->ResumeChannel(channel);
			audio->StopChannel(channel);
			EXPECT_EQ(audio->ChannelState(channel), 0) << channel;
		}
		EXPECT_EQ(audio->PlaySample(tone, GXTK_MUSIC_CHANNEL, 0), 0);
	}));
}

TEST(AudioDevice, CollectionKeepsOnlySamplesThatAreStillSounding) {
	EXPECT_TRUE(RunWithOpenAL(OpenALSetup(), [] {
		static gxtkAudio* audio = new gxtkAudio();
		gc_mark_roots = [] { gc_mark(audio); };
		gc_mark();
		gxtkSample* looping = Tone(ONE_SECOND);
		gxtkSample* ended = Tone(BLIP);
		gxtkSample* stopped = Tone(ONE_SECOND);
		ALuint loopingBuffer = looping->bufferId, endedBuffer = ended->bufferId, stoppedBuffer = stopped->bufferId;
		audio->PlaySample(looping, 1, 1);
		audio->PlaySample(ended, 2, 0);
		audio->PlaySample(stopped, 3, 1);
		audio->StopChannel(3);
		SleepMs(200);

		testing::internal::CaptureStdout();
		for (int cycle = 0; cycle < 2; ++cycle) {
			gc_ext_malloced(GC_FULL_COLLECT_BYTES + 1);
			gc_collect();
		}
		gc_flush_free(INT_MAX);
		std::string printed = testing::internal::GetCapturedStdout();
		EXPECT_EQ(printed, "Discarding sample\nDiscarding sample\n");
		EXPECT_TRUE(InDiscarded(endedBuffer));
		EXPECT_TRUE(InDiscarded(stoppedBuffer));
		EXPECT_FALSE(InDiscarded(loopingBuffer));
		EXPECT_EQ(looping->bufferId, loopingBuffer);
	}));
}

TEST(AudioDevice, WaveOutputHasSoundOnlyWhileAChannelPlays) {
	OpenALSetup wave;
	wave.driver = "wave";
	wave.waveFile = MakeTempDir() + "/out.wav";
	EXPECT_TRUE(RunWithOpenAL(wave, [&wave] {
		gxtkAudio* audio = new gxtkAudio();
		ASSERT_NE(audio->alcDevice, nullptr);
		gxtkSample* tone = Tone(ONE_SECOND);
		audio->PlaySample(tone, 4, 1);
		SleepMs(200);
		audio->PauseChannel(4);
		SleepMs(150);
		size_t pausedFrom = WaveSamplesWritten(wave.waveFile);
		SleepMs(250);
		size_t pausedTo = WaveSamplesWritten(wave.waveFile);
		audio->ResumeChannel(4);
		SleepMs(250);
		audio->StopChannel(4);
		SleepMs(150);
		size_t stoppedFrom = WaveSamplesWritten(wave.waveFile);
		SleepMs(250);
		CloseDevice(audio);

		std::vector<short> out = ReadWaveOutput(wave.waveFile);
		ASSERT_GT(out.size(), stoppedFrom);
		ASSERT_LT(pausedFrom, pausedTo);
		EXPECT_GT(PeakLevel(out, 0, pausedFrom), SOUND_LEVEL) << "playing";
		EXPECT_LE(PeakLevel(out, pausedFrom, pausedTo), SILENCE_LEVEL) << "paused";
		EXPECT_GT(PeakLevel(out, pausedTo, stoppedFrom), SOUND_LEVEL) << "resumed";
		EXPECT_LE(PeakLevel(out, stoppedFrom, out.size()), SILENCE_LEVEL) << "stopped";
	}));
}
