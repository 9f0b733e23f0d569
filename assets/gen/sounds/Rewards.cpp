#include <algorithm>

#include "sounds/Families.h"

namespace sounds {
using namespace synth;

namespace {

// A struck, bell-like note: fundamental plus a quieter octave and twelfth, decaying.
struct Chime {
  double note;      // MIDI number
  double start;     // seconds
  double halfLife;  // seconds
  double level;
};

// The rest of `job` from sample `from` on, made by `sample(t)` with t counted from there.
template <class F>
Samples From(const Job& job, std::size_t from, F sample) {
  return Render(Job{job.rate, job.count - std::min(from, job.count), ""}, sample);
}

Samples RenderChimes(const Job& job, std::initializer_list<Chime> chimes) {
  Samples out(job.count, 0.0);
  for (const Chime& c : chimes) {
    Oscillator osc(job.rate);
    const auto from = static_cast<std::size_t>(c.start * job.rate);
    MixIn(out,
          From(job, from,
               [&](double t) {
                 return osc.Partials(NoteHz(c.note), {1.0, 0.35, 0.15}) *
                        AttackDecay(t, 0.003, c.halfLife);
               }),
          from, c.level);
  }
  return out;
}

}  // namespace

// Two quick upward chirps.
Samples BombFound(const Job& job) {
  Oscillator osc(job.rate);
  return Render(job, [&](double t) {
    const double local = t < 0.14 ? t : t - 0.14;
    const double hz = Glide(t < 0.14 ? 600 : 800, 24, local / 0.12);
    return osc.Partials(hz, {1.0, 0.2}) * Gate(local, 0.005, t < 0.14 ? 0.13 : 0.2, 0.06);
  });
}

// A coin: a short note and a higher one that rings.
Samples Money(const Job& job) {
  return RenderChimes(job, {{83, 0, 0.03, 0.8}, {88, 0.055, 0.06, 1.0}});
}

// A rising major arpeggio.
Samples Upgrade(const Job& job) {
  return RenderChimes(
      job,
      {{72, 0, 0.05, 0.8}, {76, 0.07, 0.05, 0.8}, {79, 0.14, 0.05, 0.8}, {84, 0.21, 0.06, 1.0}});
}

// Sparkles: a thinning rain of high pentatonic pings over a soft rising glow.
Samples Special(const Job& job) {
  constexpr int kScale[] = {0, 2, 4, 7, 9};
  Noise pick(61);
  Samples out(job.count, 0.0);
  for (int k = 0; k < 26; ++k) {
    const double start = 1.5 * pick.Unit() * pick.Unit();  // denser at the beginning
    const int step = static_cast<int>(pick.Unit() * 10);
    const double note = 84 + 12 * (step / 5) + kScale[step % 5];
    Oscillator osc(job.rate);
    const auto from = static_cast<std::size_t>(start * job.rate);
    MixIn(out,
          From(job, from,
               [&](double t) {
                 return osc.Partials(NoteHz(note), {1.0, 0.2}) * AttackDecay(t, 0.002, 0.07);
               }),
          from, 0.22 + 0.1 * pick.Unit());
  }
  Oscillator glow(job.rate), glow5(job.rate);
  const double length = job.Length();
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = job.Time(i);
    const double hz = Glide(NoteHz(72), 12, t / length);
    out[i] += 0.25 * (glow.SineAt(hz) + 0.5 * glow5.SineAt(hz * 1.5)) * Gate(t, 0.3, length, 1.2);
  }
  return out;
}

// A brass fanfare: three pick-up notes, then a held major chord with vibrato. The pick-ups
// are short, so they fade out over a fraction of their length, and they are played louder
// than each note of the chord, so that they stand only a little under the four together.
Samples Win(const Job& job) {
  struct Note {
    double note, start, length, level;
  };
  constexpr Note kNotes[] = {{67, 0, 0.14, 2.2},    {67, 0.16, 0.14, 2.2}, {67, 0.32, 0.14, 2.2},
                             {72, 0.48, 1.59, 1.0}, {76, 0.48, 1.59, 1.0}, {79, 0.48, 1.59, 1.0},
                             {84, 0.48, 1.59, 1.0}};
  Samples out(job.count, 0.0);
  for (const Note& n : kNotes) {
    Oscillator osc(job.rate), vib(job.rate);
    LowPass brass(job.rate);
    const auto from = static_cast<std::size_t>(n.start * job.rate);
    const double release = std::min(0.5, n.length * 0.3);
    const Samples part =
        Render(Job{job.rate, static_cast<std::size_t>(n.length * job.rate), ""}, [&](double t) {
          const double hz =
              NoteHz(n.note) * (1 + 0.006 * vib.SineAt(5.5) * (t > 0.3 ? 1 : t / 0.3));
          // The filter opens with the attack, as a brass note brightens when blown.
          const double cutoff = 600 + 2400 * (t < 0.05 ? t / 0.05 : Decay(t - 0.05, 0.5));
          return brass.Run(SawSample(osc, hz), cutoff) * Gate(t, 0.02, n.length, release);
        });
    MixIn(out, part, from, n.level);
  }
  return out;
}

}  // namespace sounds
