// Oscillators, envelopes and mixing for the generated sounds.
#include "synth.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "rng.h"

namespace assetgen {

namespace {

constexpr float kTwoPi = 6.28318530717959f;
// Reference pitch: MIDI note 69 is 440 Hz.
constexpr float kA4Hz = 440.0f;
constexpr float kA4Note = 69.0f;
// End fades of finished effects, seconds.
constexpr float kFadeIn = 0.002f;
constexpr float kFadeOut = 0.012f;
// Corner of the DC-removing high-pass, Hz.
constexpr float kDcCutHz = 20.0f;

// Band-limiting correction for a step in a phase-accumulating oscillator.
float polyBlep(float t, float dt) {
  if (t < dt) {
    t /= dt;
    return t + t - t * t - 1.0f;
  }
  if (t > 1.0f - dt) {
    t = (t - 1.0f) / dt;
    return t * t + t + t + 1.0f;
  }
  return 0.0f;
}

// Smooth 0..1 ramp (raised cosine).
float smoothRamp(float x) {
  x = std::min(1.0f, std::max(0.0f, x));
  return 0.5f - 0.5f * std::cos(x * 3.14159265f);
}

}  // namespace

// A tone of one wave, length, pitch curve, peak gain and envelope.
Tone makeTone(Wave wave, float length, std::function<float(float)> pitch, float gain, Envelope envelope) {
  Tone t;
  t.wave = wave;
  t.length = length;
  t.pitch = std::move(pitch);
  t.gain = gain;
  t.attack = envelope.attack;
  t.decay = envelope.decay;
  t.release = envelope.release;
  return t;
}

// The tone with a vibrato.
Tone withVibrato(Tone tone, float depth, float rate) {
  tone.vibratoDepth = depth;
  tone.vibratoRate = rate;
  return tone;
}

// Constant frequency.
std::function<float(float)> steady(float hz) {
  return [hz](float) { return hz; };
}

// Constant frequency.
std::function<float(float)> glide(float fromHz, float toHz, float seconds) {
  return [fromHz, toHz, seconds](float t) {
    float k = std::min(1.0f, t / seconds);
    return fromHz * std::pow(toHz / fromHz, k);
  };
}

// Frequency of a MIDI note number.
float midiHz(float note) { return kA4Hz * std::pow(2.0f, (note - kA4Note) / 12.0f); }

// Renders a tone into new samples.
Samples renderTone(const Tone& tone) {
  int n = static_cast<int>(tone.length * kSampleRate);
  Samples out(static_cast<size_t>(std::max(0, n)));
  Rng rng(tone.seed);
  float phase = 0.0f, held = 0.0f, lp = 0.0f;
  for (int i = 0; i < n; ++i) {
    float t = static_cast<float>(i) / kSampleRate;
    float hz = tone.pitch ? tone.pitch(t) : kA4Hz;
    if (tone.vibratoDepth > 0.0f)
      hz *= std::pow(2.0f, tone.vibratoDepth * std::sin(kTwoPi * tone.vibratoRate * t) / 12.0f);
    float dt = std::min(0.5f, hz / kSampleRate);
    float v = 0.0f;
    switch (tone.wave) {
      case Wave::kSine: v = std::sin(kTwoPi * phase); break;
      case Wave::kTriangle: v = 1.0f - 4.0f * std::fabs(phase - 0.5f); break;
      case Wave::kSaw: v = 2.0f * phase - 1.0f - polyBlep(phase, dt); break;
      case Wave::kSquare: {
        float shifted = phase + 1.0f - tone.duty;
        shifted -= std::floor(shifted);
        v = (phase < tone.duty ? 1.0f : -1.0f) + polyBlep(phase, dt) - polyBlep(shifted, dt);
        break;
      }
      case Wave::kNoise:
        if (phase + dt >= 1.0f || i == 0) held = rng.range(-1.0f, 1.0f);
        v = held;
        break;
    }
    phase += dt;
    phase -= std::floor(phase);
    if (tone.cutoff) {
      float k = 1.0f - std::exp(-kTwoPi * tone.cutoff(t) / kSampleRate);
      lp += (v - lp) * k;
      v = lp;
    }
    float env = smoothRamp(t / std::max(tone.attack, 1e-4f));
    if (tone.decay > 0.0f) env *= std::exp(-t / tone.decay);
    env *= smoothRamp((tone.length - t) / std::max(tone.release, 1e-4f));
    out[static_cast<size_t>(i)] = v * env * tone.gain;
  }
  return out;
}

// Adds samples into a buffer at a start time in seconds (growing it if needed).
void mixAt(Samples& into, const Samples& what, float startSeconds, float gain) {
  size_t start = static_cast<size_t>(std::max(0.0f, startSeconds) * kSampleRate);
  if (into.size() < start + what.size()) into.resize(start + what.size(), 0.0f);
  for (size_t i = 0; i < what.size(); ++i) into[start + i] += what[i] * gain;
}

// Removes DC, fades both ends and scales the peak to a level in dBFS.
void finishEffect(Samples& s, float peakDb) {
  float k = std::exp(-kTwoPi * kDcCutHz / kSampleRate);
  float prevIn = 0.0f, prevOut = 0.0f;
  for (float& v : s) {
    float out = v - prevIn + k * prevOut;
    prevIn = v;
    prevOut = out;
    v = out;
  }
  size_t fadeIn = static_cast<size_t>(kFadeIn * kSampleRate);
  size_t fadeOut = static_cast<size_t>(kFadeOut * kSampleRate);
  for (size_t i = 0; i < s.size(); ++i) {
    float g = 1.0f;
    if (i < fadeIn) g *= smoothRamp(static_cast<float>(i) / static_cast<float>(fadeIn));
    size_t fromEnd = s.size() - 1 - i;
    if (fromEnd < fadeOut) g *= smoothRamp(static_cast<float>(fromEnd) / static_cast<float>(fadeOut));
    s[i] *= g;
  }
  float peak = 0.0f;
  for (float v : s) peak = std::max(peak, std::fabs(v));
  if (peak <= 0.0f) return;
  float target = std::pow(10.0f, peakDb / 20.0f);
  for (float& v : s) v *= target / peak;
}

}  // namespace assetgen
