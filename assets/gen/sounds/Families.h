#pragma once
// The sound generators, grouped by family in the files named below. Each one fills `count`
// samples at `rate` with values around [-1, 1]; levelling, end fades and 8-bit conversion
// are done afterwards for all of them alike (Sounds.cpp).
#include <cstddef>
#include <string>

#include "sounds/Synth.h"

namespace sounds {

struct Job {
  int rate;
  std::size_t count;
  std::string sourceDir;  // for generators that read a source file
  double Time(std::size_t i) const { return static_cast<double>(i) / rate; }
  double Length() const { return Time(count); }
};

using Generator = synth::Samples (*)(const Job&);

// Calls `sample(t)` for each sample time t in seconds.
template <class F>
synth::Samples Render(const Job& job, F sample) {
  synth::Samples out(job.count);
  for (std::size_t i = 0; i < job.count; ++i) out[i] = sample(job.Time(i));
  return out;
}

// Shots.cpp: the weapons.
synth::Samples Blaster(const Job& job);
synth::Samples Plasma(const Job& job);
synth::Samples Pulse(const Job& job);
synth::Samples Photon(const Job& job);
synth::Samples Laser(const Job& job);

// Impacts.cpp: explosions and hits.
synth::Samples Explode(const Job& job);
synth::Samples BombUsed(const Job& job);
synth::Samples Hit(const Job& job);

// Shields.cpp
synth::Samples ShieldsOn(const Job& job);
synth::Samples ShieldsOff(const Job& job);
synth::Samples ShieldsHit(const Job& job);

// Signals.cpp: beeps, warnings and errors.
synth::Samples Beep(const Job& job);
synth::Samples Warning(const Job& job);
synth::Samples Error(const Job& job);

// Rewards.cpp: pick-ups and the wave fanfare.
synth::Samples BombFound(const Job& job);
synth::Samples Money(const Job& job);
synth::Samples Upgrade(const Job& job);
synth::Samples Special(const Job& job);
synth::Samples Win(const Job& job);

// Music.cpp: the looping background music, played from assets/text/music.txt.
synth::Samples Music(const Job& job);

}  // namespace sounds
