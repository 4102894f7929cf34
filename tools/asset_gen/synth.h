// Small synthesiser for sound effects and music: band-limited oscillators,
// smooth envelopes, pitch glides, filtered noise and mixing helpers.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace assetgen {

// Output sample rate of every sound.
constexpr int kSampleRate = 44100;

// Mono samples, nominally -1..1.
using Samples = std::vector<float>;

// Rise time of a tone unless it sets its own.
constexpr float kDefaultAttack = 0.003f;

// Oscillator shapes.
enum class Wave { kSine, kTriangle, kSquare, kSaw, kNoise };

// One note or sound layer. Times are in seconds from the start of the tone.
struct Tone {
  Wave wave = Wave::kSine;
  float length = 0.1f;        // total length including the release
  float gain = 1.0f;          // peak amplitude
  float duty = 0.5f;          // square pulse width
  float attack = kDefaultAttack;  // rise time
  float release = 0.01f;      // fall time at the end
  float decay = 0.0f;         // exponential decay time constant (0: sustain)
  float vibratoDepth = 0.0f;  // semitones
  float vibratoRate = 0.0f;   // Hz
  std::function<float(float)> pitch;   // frequency in Hz over time
  std::function<float(float)> cutoff;  // one-pole low-pass in Hz over time (empty: none)
  uint64_t seed = 1;          // noise seed
};

// The times of a tone's envelope, in seconds.
struct Envelope {
  float attack = kDefaultAttack;  // rise
  float decay = 0.0f;             // exponential decay time constant (0: sustain)
  float release = 0.01f;          // fall at the end
};

// A tone of one wave, length, pitch curve, peak gain and envelope; the other
// fields keep their defaults.
Tone makeTone(Wave wave, float length, std::function<float(float)> pitch, float gain = 1.0f, Envelope envelope = {});
// The same tone with a vibrato of a depth in semitones at a rate in Hz.
Tone withVibrato(Tone tone, float depth, float rate);

// Constant frequency.
std::function<float(float)> steady(float hz);
// Exponential glide from one frequency to another over a time, then held.
std::function<float(float)> glide(float fromHz, float toHz, float seconds);
// Frequency of a MIDI note number.
float midiHz(float note);

// Renders a tone into new samples.
Samples renderTone(const Tone& tone);
// Adds samples into a buffer at a start time in seconds (growing it if needed).
void mixAt(Samples& into, const Samples& what, float startSeconds, float gain = 1.0f);
// Removes DC, fades both ends and scales the peak to a level in dBFS.
void finishEffect(Samples& s, float peakDb);

}  // namespace assetgen
