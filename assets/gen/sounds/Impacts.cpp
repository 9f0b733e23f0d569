#include "sounds/Families.h"

namespace sounds {
using namespace synth;

namespace {

// Noise under a low-pass that closes as it decays, plus a falling sine thump: the shared
// recipe of both explosions.
struct Blast {
  double brightHz, closeSemitones, closeTime;  // filter opens at brightHz, closes by this
  double halfLife;                             // of the noise
  double thumpHz, thumpLevel, thumpHalfLife;
};

Samples RenderBlast(const Job& job, const Blast& blast, std::uint32_t seed) {
  Noise noise(seed);
  LowPass first(job.rate), second(job.rate);
  Oscillator thump(job.rate);
  return Render(job, [&](double t) {
    const double cutoff = Glide(blast.brightHz, blast.closeSemitones, t / blast.closeTime);
    const double rumble = second.Run(first.Run(noise.Next(), cutoff), cutoff) * 2.2;
    const double boom = thump.SineAt(Glide(blast.thumpHz, -12, t / 0.4)) * blast.thumpLevel *
                        AttackDecay(t, 0.004, blast.thumpHalfLife);
    return rumble * AttackDecay(t, 0.004, blast.halfLife) + boom;
  });
}

}  // namespace

Samples Explode(const Job& job) {
  return RenderBlast(job, {1800, -36, 0.8, 0.14, 90, 0.5, 0.09}, 31);
}

// The bomb: deeper, longer, and with crackles thrown up early in the blast.
Samples BombUsed(const Job& job) {
  Samples out = RenderBlast(job, {3000, -40, 1.1, 0.28, 60, 0.8, 0.2}, 37);
  Noise chance(41);
  BandPass crackle(job.rate);
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = job.Time(i);
    const double spark = chance.Unit() < 0.004 * Decay(t, 0.2) ? chance.Next() * 6 : 0;
    out[i] += 0.35 * crackle.Run(spark, 1800, 0.5) * Decay(t, 0.3);
  }
  return out;
}

// A hull hit: a short low thud with a dull metallic clank on top.
Samples Hit(const Job& job) {
  Oscillator thud(job.rate), clankA(job.rate), clankB(job.rate);
  Noise noise(43);
  LowPass knock(job.rate);
  return Render(job, [&](double t) {
    const double low = thud.SineAt(Glide(150, -14, t / 0.2)) * AttackDecay(t, 0.002, 0.07);
    const double metal = (clankA.SineAt(430) + 0.6 * clankB.SineAt(1130)) * Decay(t, 0.04);
    const double dust = knock.Run(noise.Next(), 900) * Decay(t, 0.03) * 2;
    return low + 0.3 * metal + dust;
  });
}

}  // namespace sounds
