// The game's sound effects, synthesised and written as sfx/NNN.wav.
#include <cstdio>
#include <string>
#include <vector>

#include "audio.h"
#include "synth.h"
#include "wav.h"

namespace assetgen {

namespace {

// Every effect peaks here.
constexpr float kEffectPeakDb = -3.0f;

// A short percussive tone: fast attack, exponential decay.
Tone blip(Wave wave, float length, std::function<float(float)> pitch, float decay, float gain = 1.0f) {
  return makeTone(wave, length, std::move(pitch), gain, {0.002f, decay, length * 0.3f});
}

// Filtered noise burst with a cutoff sweep.
Tone noiseBurst(float length, float fromHz, float toHz, float decay, float gain, uint64_t seed) {
  Tone t = makeTone(Wave::kNoise, length, steady(kSampleRate * 0.5f), gain, {kDefaultAttack, decay, length * 0.4f});
  t.cutoff = glide(fromHz, toHz, length);
  t.seed = seed;
  return t;
}

// Notes played one after another, each a pulse blip.
Samples arpeggio(const std::vector<float>& notes, float step, float noteLength, float duty, float gain) {
  Samples s;
  for (size_t i = 0; i < notes.size(); ++i) {
    Tone t = blip(Wave::kSquare, noteLength, steady(midiHz(notes[i])), noteLength * 0.45f, gain);
    t.duty = duty;
    mixAt(s, renderTone(t), step * static_cast<float>(i));
    Tone sparkle = blip(Wave::kSine, noteLength, steady(midiHz(notes[i] + 12.0f)), noteLength * 0.3f, gain * 0.35f);
    mixAt(s, renderTone(sparkle), step * static_cast<float>(i));
  }
  return s;
}

// 1: bonus chime (a badge or reward): a rising sparkle to a held chord.
Samples bonusChime() {
  Samples s = arpeggio({72, 76, 79, 84, 88}, 0.05f, 0.18f, 0.25f, 0.5f);
  for (float n : {84.0f, 88.0f, 91.0f}) {
    Tone t = makeTone(Wave::kTriangle, 0.5f, steady(midiHz(n)), 0.3f, {kDefaultAttack, 0.25f, 0.2f});
    mixAt(s, renderTone(withVibrato(t, 0.15f, 7.0f)), 0.25f);
  }
  return s;
}

// 2: the paddle returns the ball: a round bouncy "bonk".
Samples paddleReturn() {
  Samples s = renderTone(blip(Wave::kSquare, 0.09f, glide(880.0f, 520.0f, 0.06f), 0.04f, 0.6f));
  mixAt(s, renderTone(blip(Wave::kSine, 0.12f, glide(440.0f, 260.0f, 0.08f), 0.05f, 0.9f)), 0.0f);
  return s;
}

// 3: bounce off the right wall: a low wooden "tock".
Samples rightWall() {
  Samples s = renderTone(blip(Wave::kTriangle, 0.09f, glide(330.0f, 180.0f, 0.05f), 0.035f, 1.0f));
  mixAt(s, renderTone(noiseBurst(0.03f, 6000.0f, 1500.0f, 0.01f, 0.5f, 3)), 0.0f);
  return s;
}

// 4: bounce off the top or bottom wall: a light high "tick".
Samples sideWall() {
  Samples s = renderTone(blip(Wave::kSine, 0.07f, glide(1320.0f, 990.0f, 0.04f), 0.025f, 1.0f));
  mixAt(s, renderTone(blip(Wave::kSquare, 0.04f, steady(1980.0f), 0.012f, 0.25f)), 0.0f);
  return s;
}

// 5: the launch meter is full: three rising pulse notes.
Samples meterFull() { return arpeggio({76, 81, 88}, 0.07f, 0.16f, 0.5f, 0.6f); }

// 6: a ball is lost: a wobbling downward slide.
Samples ballLost() {
  const Envelope fall{kDefaultAttack, 0.0f, 0.12f};
  Tone t = withVibrato(makeTone(Wave::kSquare, 0.5f, glide(620.0f, 110.0f, 0.45f), 0.6f, fall), 0.8f, 14.0f);
  t.duty = 0.35f;
  t.cutoff = glide(6000.0f, 900.0f, 0.5f);
  Samples s = renderTone(t);
  mixAt(s, renderTone(makeTone(Wave::kTriangle, 0.5f, glide(310.0f, 55.0f, 0.45f), 0.5f, fall)), 0.0f);
  return s;
}

// 7: a meteor is hit: rocky crunch over a thud.
Samples meteorHit() {
  Samples s = renderTone(noiseBurst(0.25f, 5000.0f, 400.0f, 0.07f, 1.0f, 7));
  mixAt(s, renderTone(blip(Wave::kSine, 0.2f, glide(160.0f, 50.0f, 0.15f), 0.07f, 0.9f)), 0.0f);
  Tone grit = blip(Wave::kNoise, 0.12f, steady(900.0f), 0.04f, 0.4f);
  grit.seed = 77;
  mixAt(s, renderTone(grit), 0.01f);
  return s;
}

// 8: a chain segment is knocked loose: a springy upward "plink".
Samples segmentLoose() {
  Samples s = renderTone(blip(Wave::kSquare, 0.13f, glide(420.0f, 1400.0f, 0.08f), 0.06f, 0.55f));
  mixAt(s, renderTone(blip(Wave::kSine, 0.1f, glide(840.0f, 2200.0f, 0.06f), 0.04f, 0.4f)), 0.02f);
  return s;
}

// 9: a ball is launched (also the invader's shot, played faster): a "pew".
Samples launch() {
  Tone t = blip(Wave::kSquare, 0.2f, glide(1600.0f, 240.0f, 0.18f), 0.09f, 0.7f);
  t.duty = 0.25f;
  Samples s = renderTone(t);
  mixAt(s, renderTone(blip(Wave::kSaw, 0.16f, glide(800.0f, 160.0f, 0.15f), 0.07f, 0.3f)), 0.0f);
  return s;
}

// 10: the paddle is stunned: a crackling electric zap.
Samples stunned() {
  Tone buzz = makeTone(Wave::kSaw, 0.5f, glide(180.0f, 90.0f, 0.5f), 0.5f, {kDefaultAttack, 0.25f, 0.15f});
  Samples s = renderTone(withVibrato(buzz, 3.0f, 31.0f));
  Tone crackle =
      makeTone(Wave::kNoise, 0.45f, glide(3000.0f, 600.0f, 0.45f), 0.6f, {kDefaultAttack, 0.18f, 0.1f});
  crackle.seed = 10;
  mixAt(s, renderTone(crackle), 0.0f);
  mixAt(s, renderTone(noiseBurst(0.06f, 9000.0f, 3000.0f, 0.02f, 0.9f, 11)), 0.0f);
  return s;
}

// 11: the paddle re-forms: a shimmering rise.
Samples reform() {
  Tone rise = makeTone(Wave::kTriangle, 0.4f, glide(300.0f, 1200.0f, 0.38f), 0.7f, {0.05f, 0.0f, 0.12f});
  Tone t = withVibrato(rise, 0.6f, 18.0f);
  Samples s = renderTone(t);
  Tone hi = t;
  hi.wave = Wave::kSquare;
  hi.duty = 0.125f;
  hi.pitch = glide(600.0f, 2400.0f, 0.38f);
  hi.gain = 0.2f;
  mixAt(s, renderTone(hi), 0.0f);
  return s;
}

// 12: a brick or invader is destroyed: a bright crunchy burst.
Samples destroyed() {
  Samples s = renderTone(noiseBurst(0.3f, 9000.0f, 700.0f, 0.08f, 0.9f, 12));
  Tone crunch = blip(Wave::kSquare, 0.18f, glide(700.0f, 90.0f, 0.15f), 0.06f, 0.5f);
  crunch.duty = 0.3f;
  mixAt(s, renderTone(crunch), 0.0f);
  return s;
}

// 13: a wave is launched: a two-tone warning swoop.
Samples waveLaunched() {
  Samples s;
  for (int k = 0; k < 2; ++k) {
    Tone t = makeTone(Wave::kSquare, 0.26f, glide(k == 0 ? 440.0f : 660.0f, k == 0 ? 880.0f : 1320.0f, 0.2f), 0.55f,
                      {0.01f, 0.0f, 0.08f});
    t.duty = 0.4f;
    t.cutoff = steady(5000.0f);
    mixAt(s, renderTone(t), 0.24f * static_cast<float>(k));
  }
  mixAt(s, renderTone(blip(Wave::kSine, 0.3f, glide(110.0f, 55.0f, 0.25f), 0.12f, 0.6f)), 0.0f);
  return s;
}

// 95: the game is over: a falling minor figure with a low end.
Samples gameOver() {
  Samples s = arpeggio({79, 75, 72, 67}, 0.13f, 0.22f, 0.5f, 0.55f);
  Tone low = makeTone(Wave::kTriangle, 0.6f, glide(midiHz(48), midiHz(43), 0.5f), 0.6f, {0.01f, 0.35f, 0.2f});
  mixAt(s, renderTone(low), 0.5f);
  return s;
}

// 96: the studio jingle (also the return to the menu): a bright little tune.
Samples jingle() {
  Samples s;
  const float melody[] = {72, 76, 79, 84, 83, 84};
  const float starts[] = {0.0f, 0.1f, 0.2f, 0.3f, 0.45f, 0.55f};
  const float lengths[] = {0.12f, 0.12f, 0.12f, 0.18f, 0.12f, 0.6f};
  for (int i = 0; i < 6; ++i) {
    Tone t = makeTone(Wave::kSquare, lengths[i], steady(midiHz(melody[i])), 0.45f,
                      {kDefaultAttack, lengths[i] * 1.5f, 0.05f});
    t.duty = 0.25f;
    mixAt(s, renderTone(withVibrato(t, i == 5 ? 0.2f : 0.0f, 6.0f)), starts[i]);
  }
  for (float n : {60.0f, 67.0f, 76.0f}) {
    mixAt(s, renderTone(makeTone(Wave::kTriangle, 0.7f, steady(midiHz(n)), 0.3f, {0.02f, 0.5f, 0.25f})), 0.55f);
  }
  Tone bass = makeTone(Wave::kTriangle, 0.3f, steady(midiHz(48)), 0.5f, {kDefaultAttack, 0.2f});
  mixAt(s, renderTone(bass), 0.0f);
  mixAt(s, renderTone(bass), 0.3f);
  return s;
}

// 98: confirm: two quick rising notes.
Samples confirm() { return arpeggio({81, 88}, 0.06f, 0.12f, 0.5f, 0.6f); }

// 99: menu move: a tiny soft tick.
Samples menuMove() {
  Samples s = renderTone(blip(Wave::kSquare, 0.05f, steady(midiHz(91)), 0.015f, 0.5f));
  mixAt(s, renderTone(blip(Wave::kSine, 0.05f, steady(midiHz(79)), 0.02f, 0.5f)), 0.0f);
  return s;
}

// An effect id with its synthesiser.
struct Effect {
  int id;
  Samples (*make)();
};

const Effect kEffects[] = {
    {1, bonusChime},   {2, paddleReturn}, {3, rightWall},  {4, sideWall},     {5, meterFull},
    {6, ballLost},     {7, meteorHit},    {8, segmentLoose}, {9, launch},     {10, stunned},
    {11, reform},      {12, destroyed},   {13, waveLaunched}, {95, gameOver}, {96, jingle},
    {98, confirm},     {99, menuMove},
};

}  // namespace

// Writes every sound effect as sfx/NNN.wav.
void writeSoundEffects(AssetWriter& out) {
  for (const Effect& e : kEffects) {
    Samples s = e.make();
    finishEffect(s, kEffectPeakDb);
    char name[32];
    std::snprintf(name, sizeof name, "sfx/%03d.wav", e.id);
    out.bytes(name, encodeWav(s));
  }
}

}  // namespace assetgen
