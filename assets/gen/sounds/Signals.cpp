#include "sounds/Families.h"

namespace sounds {
using namespace synth;

namespace {

// A soft square note at `hz` from `start` for `length` seconds with short ramps.
double Tone(Oscillator& osc, double hz, double t, double start, double length) {
  return osc.Partials(hz, {1.0, 0, 0.22, 0, 0.08}) * Gate(t - start, 0.008, length, 0.03);
}

}  // namespace

// A clean, round menu beep that rings out.
Samples Beep(const Job& job) {
  Oscillator osc(job.rate);
  return Render(job, [&](double t) {
    return osc.Partials(1320, {1.0, 0.12}) * AttackDecay(t, 0.004, 0.06);
  });
}

// Two tones, high then low.
Samples Warning(const Job& job) {
  Oscillator hi(job.rate), lo(job.rate);
  return Render(job,
                [&](double t) { return Tone(hi, 988, t, 0, 0.2) + Tone(lo, 740, t, 0.22, 0.22); });
}

// Three descending buzzy tones, the last one held and sinking further.
Samples Error(const Job& job) {
  Oscillator osc(job.rate), vib(job.rate);
  LowPass soften(job.rate);
  const double length = job.Length();
  constexpr double kStarts[] = {0, 0.45, 0.9};
  constexpr double kNotes[] = {62, 58, 55};  // D, B-flat, G
  return Render(job, [&](double t) {
    int n = 2;
    while (n > 0 && t < kStarts[n]) --n;
    const bool last = n == 2;
    const double noteLength = last ? length - kStarts[2] : 0.4;
    double hz = NoteHz(kNotes[n]) * (1 + 0.01 * vib.SineAt(7));
    if (last) hz = Glide(hz, -5, (t - kStarts[2]) / noteLength);
    const double level = Gate(t - kStarts[n], 0.01, noteLength, last ? 1.2 : 0.05);
    return soften.Run(SawSample(osc, hz), 2200) * level;
  });
}

}  // namespace sounds
