#include "sounds/Families.h"

namespace sounds {
using namespace synth;

namespace {

// Three slightly detuned soft voices gliding together, under a tremolo that speeds up with
// the pitch: the shields' shimmering hum, rising or falling. The voices start nearly in
// phase, so that the hum is at full strength at once and only drifts into its shimmer.
Samples ShieldSweep(const Job& job, double fromHz, double semitones, double attack) {
  Oscillator a(job.rate), b(job.rate, 0.05), c(job.rate, 0.1), shimmer(job.rate);
  const double length = job.Length();
  return Render(job, [&](double t) {
    const double progress = t / length;
    const double hz = Glide(fromHz, semitones, progress);
    const double voices = a.Partials(hz, {1.0, 0.3, 0.15}) +
                          b.Partials(hz * 1.007, {1.0, 0.3, 0.15}) +
                          c.Partials(hz * 0.993, {1.0, 0.3, 0.15});
    const double tremolo = 0.7 + 0.3 * shimmer.SineAt(8 + hz / 40);
    return voices * tremolo * Gate(t, attack, length, length * 0.35);
  });
}

}  // namespace

Samples ShieldsOn(const Job& job) {
  return ShieldSweep(job, 180, 36, 0.015);
}

Samples ShieldsOff(const Job& job) {
  return ShieldSweep(job, 1100, -30, 0.02);
}

// A bright, bell-like ping: inharmonic partials that die away at different speeds, struck
// by a short click of filtered noise.
Samples ShieldsHit(const Job& job) {
  Oscillator p1(job.rate), p2(job.rate), p3(job.rate);
  Noise noise(53);
  BandPass strike(job.rate);
  return Render(job, [&](double t) {
    const double bell = p1.SineAt(1250) * Decay(t, 0.16) +
                        0.5 * p2.SineAt(1250 * 2.76) * Decay(t, 0.07) +
                        0.25 * p3.SineAt(1250 * 5.4) * Decay(t, 0.03);
    return bell * AttackDecay(t, 0.002, 10) +
           0.4 * strike.Run(noise.Next(), 2500, 0.6) * Decay(t, 0.008);
  });
}

}  // namespace sounds
