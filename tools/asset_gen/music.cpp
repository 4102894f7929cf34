// The in-game tune "Freeflowing": a 32-bar chiptune in C major at 150 BPM,
// rendered into a circular stereo buffer so that every note tail and echo
// wraps round to the start and the file loops without a seam.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "audio.h"
#include "synth.h"

namespace assetgen {

namespace {

constexpr int kBeatsPerMinute = 150;
constexpr int kEighthsPerBar = 8;
constexpr int kBars = 32;
constexpr int kBarsPerSection = 8;
// One eighth note in samples (exact at 150 BPM: 0.2 s).
constexpr int kEighthSamples = kSampleRate * 60 / kBeatsPerMinute / 2;
constexpr int kBarSamples = kEighthSamples * kEighthsPerBar;
constexpr int kLoopSamples = kBarSamples * kBars;
constexpr float kEighth = static_cast<float>(kEighthSamples) / kSampleRate;
constexpr float kSixteenth = kEighth * 0.5f;
// Lead echo: three eighths later, bouncing between the channels.
constexpr int kEchoSamples = kEighthSamples * 3;
constexpr float kMasterPeakDb = -1.0f;
constexpr float kOggQuality = 0.3f;
constexpr int kOggSerial = 0x5a1b0;
constexpr float kPi = 3.14159265f;

// Melody, one bar per string, eight eighth notes each: a note name with
// octave, "-" holds the previous note, "." is a rest.
const char* const kMelody[kBars] = {
    // A: the theme
    "E5 - G5 - C6 - B5 A5", "G5 - D5 - G5 A5 B5 -", "C6 - B5 A5 E5 - A5 -", "F5 - A5 - G5 F5 E5 -",
    "E5 - G5 - C6 - D6 E6", "D6 - B5 G5 D5 - G5 B5", "C6 - A5 - F5 A5 C6 -", "B5 - - A5 G5 - . .",
    // B: the bridge
    "A5 . A5 B5 C6 - A5 -", "A5 . A5 G5 F5 - C5 -", "E5 . E5 F5 G5 - C6 -", "B5 - A5 - G5 - D5 -",
    "A5 . A5 B5 C6 - E6 -", "F6 - E6 D6 C6 - A5 -", "B5 - C6 - D6 - G5 -", "D6 - - - B5 - D6 -",
    // A': the theme climbing higher
    "E5 - G5 - C6 - B5 A5", "G5 - D5 - G5 A5 B5 -", "C6 - B5 A5 E5 - A5 -", "F5 - A5 - G5 F5 E5 -",
    "G5 - C6 - E6 - G6 E6", "D6 - B5 - G5 - B5 D6", "C6 - F6 - E6 D6 C6 -", "D6 - - - . . G5 A5",
    // C: the turnaround back to the top
    "A5 - C6 - F6 - E6 D6", "B5 - D6 - G6 - F6 D6", "E6 - B5 - G5 - B5 -", "C6 - A5 - E5 - A5 C6",
    "D6 - F6 - A6 - F6 D6", "B5 - D6 - G6 - F6 -", "E6 - D6 - C6 - G5 -", "D5 - G5 - B5 - D6 -",
};

// Chord of each bar: root name, "m" for minor.
const char* const kChords[kBars] = {
    "C", "G", "Am", "F", "C", "G", "F", "G",  "Am", "F", "C", "G", "Am", "F", "G",  "G",
    "C", "G", "Am", "F", "C", "G", "F", "G",  "F",  "G", "Em", "Am", "Dm", "G", "C", "G",
};

// Semitone of a note letter above C.
int letterSemitone(char letter) {
  static const int kSemitones[7] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
  return kSemitones[letter - 'A'];
}

// MIDI note of a name such as "E5".
int noteNumber(const std::string& name) { return 12 * (name[1] - '0' + 1) + letterSemitone(name[0]); }

// Splits a bar string at spaces.
std::vector<std::string> tokens(const std::string& bar) {
  std::vector<std::string> out;
  std::string cur;
  for (char ch : bar) {
    if (ch == ' ') {
      if (!cur.empty()) out.push_back(cur);
      cur.clear();
    } else {
      cur.push_back(ch);
    }
  }
  if (!cur.empty()) out.push_back(cur);
  return out;
}

// Stereo loop buffer that wraps everything mixed past its end.
struct Loop {
  Samples left = Samples(kLoopSamples, 0.0f);
  Samples right = Samples(kLoopSamples, 0.0f);

  // Adds a mono sound at a sample position with a pan of -1 (left) .. 1 (right).
  void add(const Samples& s, int at, float pan, float gain) {
    float angle = (pan + 1.0f) * kPi * 0.25f;
    float gl = std::cos(angle) * gain, gr = std::sin(angle) * gain;
    for (size_t i = 0; i < s.size(); ++i) {
      size_t k = (static_cast<size_t>(at) + i) % kLoopSamples;
      left[k] += s[i] * gl;
      right[k] += s[i] * gr;
    }
  }
};

// Root note (as a MIDI number in octave 2) and third of a chord name.
void chordNotes(const std::string& name, int& root, int& third) {
  root = 36 + letterSemitone(name[0]);
  third = (name.size() > 1 && name[1] == 'm') ? 3 : 4;
}

// Renders the lead melody into its own loop (so it can be echoed).
Loop leadVoice() {
  Loop lead;
  for (int bar = 0; bar < kBars; ++bar) {
    std::vector<std::string> slots = tokens(kMelody[bar]);
    for (int i = 0; i < static_cast<int>(slots.size()); ++i) {
      const std::string& s = slots[static_cast<size_t>(i)];
      if (s == "-" || s == ".") continue;
      int length = 1;
      while (i + length < static_cast<int>(slots.size()) && slots[static_cast<size_t>(i + length)] == "-") ++length;
      Tone t = makeTone(Wave::kSquare, kEighth * static_cast<float>(length) - 0.02f,
                        steady(midiHz(static_cast<float>(noteNumber(s)))), 0.26f, {0.004f, 0.6f, 0.04f});
      t = withVibrato(t, length > 2 ? 0.12f : 0.0f, 5.5f);
      t.duty = (bar / kBarsPerSection) % 2 == 0 ? 0.25f : 0.5f;
      t.cutoff = steady(7000.0f);
      lead.add(renderTone(t), bar * kBarSamples + i * kEighthSamples, -0.2f, 1.0f);
    }
  }
  return lead;
}

// Adds the bass line: bouncing octaves, syncopated in the bridge.
void bassLine(Loop& mix) {
  const int kStraight[kEighthsPerBar] = {0, 12, 0, 12, 0, 12, 7, 12};
  const int kSyncopated[kEighthsPerBar] = {0, -1, 0, 12, -1, 0, 7, 12};
  for (int bar = 0; bar < kBars; ++bar) {
    int root, third;
    chordNotes(kChords[bar], root, third);
    const int* pattern = (bar / kBarsPerSection) == 1 ? kSyncopated : kStraight;
    for (int i = 0; i < kEighthsPerBar; ++i) {
      if (pattern[i] < 0) continue;
      Tone t = makeTone(Wave::kTriangle, kEighth * 0.9f, steady(midiHz(static_cast<float>(root + pattern[i]))), 0.55f,
                        {kDefaultAttack, 0.25f, 0.03f});
      mix.add(renderTone(t), bar * kBarSamples + i * kEighthSamples, 0.0f, 1.0f);
    }
  }
}

// Adds the sixteenth-note chord arpeggio, an octave up in the last half.
void arpeggio(Loop& mix) {
  for (int bar = 0; bar < kBars; ++bar) {
    int root, third;
    chordNotes(kChords[bar], root, third);
    const int steps[4] = {0, third, 7, 12};
    int base = root + 24 + ((bar >= kBars / 2) ? 12 : 0);
    for (int i = 0; i < kEighthsPerBar * 2; ++i) {
      Tone t = makeTone(Wave::kSquare, kSixteenth * 0.85f, steady(midiHz(static_cast<float>(base + steps[i % 4]))),
                        0.12f, {0.002f, 0.06f, 0.02f});
      t.duty = 0.125f;
      float pan = (i % 2 == 0) ? 0.45f : 0.25f;
      mix.add(renderTone(t), bar * kBarSamples + i * kEighthSamples / 2, pan, 1.0f);
    }
  }
}

// Adds kick, snare, hats and a crash at the top of each section.
void drums(Loop& mix) {
  Samples kickSound =
      renderTone(makeTone(Wave::kSine, 0.22f, glide(160.0f, 45.0f, 0.09f), 0.8f, {0.001f, 0.1f, 0.05f}));
  Tone snare = makeTone(Wave::kNoise, 0.18f, steady(kSampleRate * 0.5f), 0.45f, {kDefaultAttack, 0.05f, 0.05f});
  snare.cutoff = glide(9000.0f, 2500.0f, 0.15f);
  snare.seed = 42;
  Samples snareSound = renderTone(snare);
  Tone body = makeTone(Wave::kTriangle, 0.08f, glide(240.0f, 160.0f, 0.06f), 0.35f, {kDefaultAttack, 0.03f, 0.02f});
  mixAt(snareSound, renderTone(body), 0.0f);
  Tone hat = makeTone(Wave::kNoise, 0.045f, steady(kSampleRate * 0.5f), 0.16f, {kDefaultAttack, 0.012f, 0.02f});
  hat.seed = 99;
  Samples hatSound = renderTone(hat);
  Tone crash = hat;
  crash.length = 1.2f;
  crash.decay = 0.35f;
  crash.release = 0.3f;
  crash.cutoff = steady(9000.0f);
  crash.gain = 0.22f;
  crash.seed = 1234;
  Samples crashSound = renderTone(crash);

  for (int bar = 0; bar < kBars; ++bar) {
    int start = bar * kBarSamples;
    bool driving = (bar / kBarsPerSection) % 2 == 1;
    for (int i = 0; i < kEighthsPerBar; ++i) {
      int at = start + i * kEighthSamples;
      if (i == 0 || i == 4 || (driving && i == 7) || (bar % 4 == 3 && i == 5)) mix.add(kickSound, at, 0.0f, 1.0f);
      if (i == 2 || i == 6) mix.add(snareSound, at, 0.05f, 1.0f);
      mix.add(hatSound, at, 0.3f, i % 2 == 1 ? 1.0f : 0.55f);
      if (driving && i % 2 == 1) mix.add(hatSound, at + kEighthSamples / 2, 0.3f, 0.4f);
    }
    if (bar % kBarsPerSection == 0) mix.add(crashSound, start, -0.35f, 1.0f);
  }
}

// Mixes the lead and its ping-pong echo into the main loop.
void addLeadWithEcho(Loop& mix, const Loop& lead) {
  const float taps[3] = {0.32f, 0.18f, 0.09f};
  for (size_t i = 0; i < static_cast<size_t>(kLoopSamples); ++i) {
    mix.left[i] += lead.left[i];
    mix.right[i] += lead.right[i];
    for (int k = 0; k < 3; ++k) {
      size_t from = (i + kLoopSamples - static_cast<size_t>(kEchoSamples) * static_cast<size_t>(k + 1)) % kLoopSamples;
      float mono = (lead.left[from] + lead.right[from]) * 0.5f;
      if (k % 2 == 0)
        mix.right[i] += mono * taps[k];
      else
        mix.left[i] += mono * taps[k];
    }
  }
}

}  // namespace

// Writes the looping tune sfx/Freeflowing.ogg.
void writeMusic(AssetWriter& out) {
  Loop mix;
  bassLine(mix);
  arpeggio(mix);
  drums(mix);
  addLeadWithEcho(mix, leadVoice());
  float peak = 0.0f;
  for (size_t i = 0; i < mix.left.size(); ++i) peak = std::max({peak, std::fabs(mix.left[i]), std::fabs(mix.right[i])});
  float gain = std::pow(10.0f, kMasterPeakDb / 20.0f) / std::max(peak, 1e-6f);
  for (size_t i = 0; i < mix.left.size(); ++i) {
    mix.left[i] *= gain;
    mix.right[i] *= gain;
  }
  out.bytes("sfx/Freeflowing.ogg", encodeOggVorbis(mix.left, mix.right, kOggQuality, kOggSerial));
}

}  // namespace assetgen
