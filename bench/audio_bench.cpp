// audio_bench.cpp: decoding a minute of Ogg Vorbis music, and what starting a
// sound effect allocates (every heap allocation of the process is counted).
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <string>

#include "audio/audio_data.h"
#include "audio/gxtk_audio.h"
#include "support/ogg_writer.h"
#include "support/wav_builder.h"

namespace {

// The music piece: one minute of 44.1 kHz stereo.
const int MUSIC_HERTZ = 44100;
const int MUSIC_SECONDS = 60;
// A one-second effect tone.
const int EFFECT_FRAMES = 44100;

std::atomic<long> allocations{0};

// Counts one allocation (called from the allocator hooks below).
void CountAllocation() {
	allocations.fetch_add(1, std::memory_order_relaxed);
}

}  // namespace

//----------------------------------------------------------------------------
// Allocation counting
//----------------------------------------------------------------------------

#if defined(__SANITIZE_ADDRESS__)
// AddressSanitizer owns the allocator; it reports every allocation to a hook.
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*onMalloc)(const volatile void*, size_t),
                                                         void (*onFree)(const volatile void*));
namespace {
void OnMalloc(const volatile void*, size_t) { CountAllocation(); }
void OnFree(const volatile void*) {}
// Installs the hooks before main.
const int hooksInstalled = __sanitizer_install_malloc_and_free_hooks(OnMalloc, OnFree);
}  // namespace
#else
// The C library's own allocator, under the names these wrappers replace.
extern "C" void* __libc_malloc(size_t size);
extern "C" void* __libc_calloc(size_t count, size_t size);
extern "C" void* __libc_realloc(void* block, size_t size);
extern "C" void* __libc_memalign(size_t alignment, size_t size);

extern "C" void* malloc(size_t size) {
	CountAllocation();
	return __libc_malloc(size);
}

extern "C" void* calloc(size_t count, size_t size) {
	CountAllocation();
	return __libc_calloc(count, size);
}

extern "C" void* realloc(void* block, size_t size) {
	CountAllocation();
	return __libc_realloc(block, size);
}

extern "C" int posix_memalign(void** out, size_t alignment, size_t size) {
	CountAllocation();
	*out = __libc_memalign(alignment, size);
	return *out ? 0 : ENOMEM;
}

extern "C" void* aligned_alloc(size_t alignment, size_t size) {
	CountAllocation();
	return __libc_memalign(alignment, size);
}
#endif

//----------------------------------------------------------------------------
// Benchmarks
//----------------------------------------------------------------------------

namespace {

// The path of the generated minute of music (encoded once).
const std::string& MusicFile() {
	static std::string path = [] {
		std::string file = MakeTempDir() + "/minute.ogg";
		WriteOgg(file, SineFrames(MUSIC_HERTZ * MUSIC_SECONDS, 2, MUSIC_HERTZ, 440.0f), 2, MUSIC_HERTZ);
		return file;
	}();
	return path;
}

// The device on OpenAL Soft's null backend (the benchmark needs no sound card).
gxtkAudio* Device() {
	static gxtkAudio* device = [] {
		setenv("ALSOFT_DRIVERS", "null", 1);
		return new gxtkAudio();
	}();
	return device;
}

// A one-second tone in a new buffer.
gxtkSample* EffectSample() {
	std::vector<short> pcm = SineFrames(EFFECT_FRAMES, 1, MUSIC_HERTZ, 880.0f);
	ALuint buffer = 0;
	alGenBuffers(1, &buffer);
	alBufferData(buffer, AL_FORMAT_MONO16, pcm.data(), static_cast<ALsizei>(pcm.size() * 2), MUSIC_HERTZ);
	return new gxtkSample(buffer);
}

}  // namespace

// Decodes the whole minute into one block, as PlayMusic does.
void BM_DecodeOggMinute(benchmark::State& state) {
	const std::string& path = MusicFile();
	int length = 0;
	for (auto _ : state) {
		FILE* file = std::fopen(path.c_str(), "rb");
		int channels = 0, format = 0, hertz = 0;
		unsigned char* data = LoadOGG(file, &length, &channels, &format, &hertz);
		benchmark::DoNotOptimize(data);
		std::free(data);
		std::fclose(file);
	}
	state.counters["frames"] = length;
}
BENCHMARK(BM_DecodeOggMinute)->Unit(benchmark::kMillisecond);

// Starts an effect on rotating channels, with a discarded buffer waiting, and
// counts every heap allocation made during the calls.
void BM_PlayEffect(benchmark::State& state) {
	gxtkAudio* audio = Device();
	gxtkSample* sample = EffectSample();
	for (int ch = 0; ch < GXTK_MUSIC_CHANNEL; ++ch) audio->PlaySample(sample, ch, 0);
	EffectSample()->Discard();
	int channel = 0;
	long counted = 0;
	for (auto _ : state) {
		long before = allocations.load();
		audio->PlaySample(sample, channel, 0);
		counted += allocations.load() - before;
		channel = (channel + 1) % GXTK_MUSIC_CHANNEL;
	}
	state.counters["allocations_per_play"] = benchmark::Counter(static_cast<double>(counted), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_PlayEffect);

// The same OpenAL calls without the device around them: what OpenAL Soft
// itself allocates when a source is given a buffer and started.
void BM_OpenALCallsOfAPlay(benchmark::State& state) {
	gxtkAudio* audio = Device();
	gxtkSample* sample = EffectSample();
	ALuint source = audio->channels[0].AL_Source();
	long counted = 0;
	for (auto _ : state) {
		long before = allocations.load();
		alSourceStop(source);
		alSourcei(source, AL_BUFFER, static_cast<ALint>(sample->bufferId));
		alSourcePlay(source);
		counted += allocations.load() - before;
	}
	state.counters["allocations_per_play"] = benchmark::Counter(static_cast<double>(counted), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_OpenALCallsOfAPlay);
