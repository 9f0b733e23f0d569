#include "sounds/Families.h"

namespace sounds {
using namespace synth;

// A bright zap whose pitch falls three octaves almost at once.
Samples Blaster(const Job& job) {
  Oscillator osc(job.rate);
  Noise noise(11);
  LowPass hiss(job.rate);
  return Render(job, [&](double t) {
    const double hz = Glide(1900, -36, t / 0.16);
    const double tone = osc.Partials(hz, {1.0, 0.45, 0.25, 0.12});
    const double crack = hiss.Run(noise.Next(), 3000) * Decay(t, 0.012);
    return (tone + crack) * AttackDecay(t, 0.002, 0.045);
  });
}

// Two detuned, buzzier voices falling more slowly under a closing filter: a fat shot.
Samples Plasma(const Job& job) {
  Oscillator a(job.rate), b(job.rate, 0.3), sub(job.rate);
  LowPass filter(job.rate);
  return Render(job, [&](double t) {
    const double hz = Glide(700, -26, t / 0.28);
    const double raw = SawSample(a, hz) + SawSample(b, hz * 1.012) + 0.8 * sub.SineAt(hz / 2);
    const double cutoff = Glide(4000, -30, t / 0.3);
    return filter.Run(raw, cutoff) * AttackDecay(t, 0.004, 0.07);
  });
}

// A short hollow zap chopped by a fast tremolo, which makes it pulse.
Samples Pulse(const Job& job) {
  Oscillator osc(job.rate), chop(job.rate);
  return Render(job, [&](double t) {
    const double hz = Glide(1300, -12, t / 0.18);
    const double tremolo = 0.6 + 0.4 * chop.SineAt(55);
    return SquareSample(osc, hz) * tremolo * AttackDecay(t, 0.003, 0.04);
  });
}

// Noise through a sweeping resonance plus two beating, wobbling tones: a shimmering whoosh.
Samples Photon(const Job& job) {
  Noise noise(23);
  BandPass whoosh(job.rate);
  Oscillator a(job.rate), b(job.rate, 0.5), wobble(job.rate);
  const double length = job.Length();
  return Render(job, [&](double t) {
    const double sweep = t / length;
    const double air = whoosh.Run(noise.Next(), Glide(500, 30, sweep), 0.25);
    const double vibrato = 1 + 0.03 * wobble.SineAt(22);
    const double hz = Glide(1400, 7, sweep) * vibrato;
    const double shimmer = a.SineAt(hz) + b.SineAt(hz * 1.006);
    const double env = Gate(t, 0.005, length, length - 0.2) * (0.4 + 0.6 * Decay(t, 0.25));
    return (0.35 * air + 0.3 * shimmer) * env;
  });
}

// A steady beam: a low humming body, a thin whine above it, a slow vibrato and flutter.
Samples Laser(const Job& job) {
  Oscillator body(job.rate), whine(job.rate), vib(job.rate), flutter(job.rate);
  const double length = job.Length();
  return Render(job, [&](double t) {
    const double wobble = 1 + 0.012 * vib.SineAt(6);
    const double hum = body.Partials(220 * wobble, {1.0, 0.6, 0.4, 0.25, 0.15, 0.1});
    const double high = 0.25 * whine.SineAt(1760 * wobble);
    const double level = 0.85 + 0.15 * flutter.SineAt(31);
    return (hum + high) * level * Gate(t, 0.03, length, 0.18);
  });
}

}  // namespace sounds
