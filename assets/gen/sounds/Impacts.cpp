#include "sounds/Families.h"

namespace sounds {
using namespace synth;

namespace {

// x / (1 + |x|): a soft saturation that rounds the peaks off, so that after levelling the
// body of a blast stands as loud as its first crack instead of far below it.
double Saturate(double x) {
  return x / (1 + (x < 0 ? -x : x));
}

// Noise under a low-pass that closes as it decays, a band of crunching noise in the middle
// of the range (what small speakers play), and a falling sine thump for larger ones: the
// shared recipe of both explosions.
struct Blast {
  double brightHz, closeSemitones, closeTime;  // filter opens at brightHz, closes by this
  double halfLife;                             // of the noise
  double crunchHz, crunchHalfLife;             // centre and decay of the middle band
  double thumpHz, thumpLevel, thumpHalfLife;
  double drive;  // into the saturation
};

Samples RenderBlast(const Job& job, const Blast& blast, std::uint32_t seed) {
  Noise noise(seed), grit(seed + 1);
  LowPass first(job.rate), second(job.rate);
  BandPass crunch(job.rate);
  Oscillator thump(job.rate);
  return Render(job, [&](double t) {
    const double cutoff = Glide(blast.brightHz, blast.closeSemitones, t / blast.closeTime);
    const double rumble = second.Run(first.Run(noise.Next(), cutoff), cutoff) * 2.2;
    const double middle =
        crunch.Run(grit.Next(), Glide(blast.crunchHz, -7, t / blast.closeTime), 0.5);
    const double boom = thump.SineAt(Glide(blast.thumpHz, -12, t / 0.4)) * blast.thumpLevel *
                        AttackDecay(t, 0.004, blast.thumpHalfLife);
    const double body = rumble * AttackDecay(t, 0.004, blast.halfLife) +
                        middle * AttackDecay(t, 0.002, blast.crunchHalfLife);
    return Saturate(blast.drive * (body + boom));
  });
}

}  // namespace

Samples Explode(const Job& job) {
  return RenderBlast(job, {1800, -36, 0.8, 0.14, 700, 0.1, 90, 0.5, 0.09, 1.5}, 31);
}

// The bomb: deeper, longer, and with crackles thrown up early in the blast.
Samples BombUsed(const Job& job) {
  Samples out = RenderBlast(job, {3000, -40, 1.1, 0.35, 500, 0.35, 60, 0.5, 0.2, 3}, 37);
  Noise chance(41);
  BandPass crackle(job.rate);
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = job.Time(i);
    const double spark = chance.Unit() < 0.004 * Decay(t, 0.2) ? chance.Next() * 6 : 0;
    out[i] += 0.35 * crackle.Run(spark, 1800, 0.5) * Decay(t, 0.3);
  }
  return out;
}

// A hull hit: a short low thud under a metallic clank that rings on, and a knock of noise.
Samples Hit(const Job& job) {
  Oscillator thud(job.rate), clankA(job.rate), clankB(job.rate), clankC(job.rate);
  Noise noise(43);
  BandPass knock(job.rate);
  return Render(job, [&](double t) {
    const double low = thud.SineAt(Glide(150, -14, t / 0.2)) * AttackDecay(t, 0.002, 0.07);
    const double metal =
        (clankA.SineAt(430) + 0.7 * clankB.SineAt(1130) + 0.4 * clankC.SineAt(2270)) *
        AttackDecay(t, 0.002, 0.08);
    const double dust = knock.Run(noise.Next(), 1000, 0.6) * Decay(t, 0.05);
    return Saturate(1.2 * (0.5 * low + metal + dust));
  });
}

}  // namespace sounds
