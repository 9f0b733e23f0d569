#include <fstream>
#include <sstream>
#include <stdexcept>

#include "sounds/Families.h"
#include "sounds/MusicScore.h"

namespace sounds {
using namespace synth;

namespace {

// One note of an instrument, `length` seconds as written; returns its samples, which may
// ring on past `length`.
Samples PlayNote(const Job& job, const ScoreNote& note, double length, std::uint32_t seed) {
  if ((note.midi >= 0) == (note.instrument == "drums"))
    throw std::runtime_error("music.txt: " + note.instrument + " cannot play " + note.sound);
  const double hz = note.midi >= 0 ? NoteHz(note.midi) : 0;
  Oscillator osc(job.rate), vib(job.rate);
  LowPass filter(job.rate);
  Noise noise(seed);
  BandPass band(job.rate);
  const auto render = [&](double seconds, auto sample) {
    return Render(Job{job.rate, static_cast<std::size_t>(seconds * job.rate), ""}, sample);
  };
  if (note.instrument == "bass")
    return render(length, [&](double t) {
      const double cutoff = 250 + 1400 * Decay(t, 0.06);
      return filter.Run(SawSample(osc, hz), cutoff) * Gate(t, 0.004, length, 0.02) *
             (0.6 + 0.4 * Decay(t, 0.15));
    });
  if (note.instrument == "arp")
    return render(length + 0.25, [&](double t) {
      return osc.Partials(hz, {1.0, 0, 0.3, 0, 0.12}) * AttackDecay(t, 0.003, 0.06) *
             Gate(t, 0, length + 0.25, 0.05);
    });
  if (note.instrument == "lead")
    return render(length, [&](double t) {
      const double depth = t < 0.15 ? 0 : 0.005 * (t < 0.35 ? (t - 0.15) / 0.2 : 1);
      const double wave = osc.Partials(hz * (1 + depth * vib.SineAt(5.5)), {1.0, 0.45, 0.2, 0.1});
      return wave * Gate(t, 0.01, length, 0.05) * (0.75 + 0.25 * Decay(t, 0.2));
    });
  if (note.sound == "k")
    return render(0.25, [&](double t) {
      return osc.SineAt(Glide(150, -20, t / 0.12)) * AttackDecay(t, 0.002, 0.05) * 1.4;
    });
  if (note.sound == "s")
    return render(0.2, [&](double t) {
      return 0.8 * band.Run(noise.Next(), 2000, 0.9) * AttackDecay(t, 0.001, 0.035) +
             0.5 * osc.SineAt(190) * AttackDecay(t, 0.001, 0.025);
    });
  if (note.sound == "h")
    return render(0.08, [&, last = 0.0](double t) mutable {
      // The difference of successive noise values keeps only the hiss at the top.
      const double n = noise.Next(), edge = n - last;
      last = n;
      return 0.2 * edge * AttackDecay(t, 0.001, 0.012);
    });
  throw std::runtime_error("music.txt: no instrument " + note.instrument + " for " + note.sound);
}

double Level(const std::string& instrument) {
  if (instrument == "bass") return 0.55;
  if (instrument == "arp") return 0.22;
  if (instrument == "lead") return 0.38;
  return 0.6;  // drums
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

// The score is played on a circle: whatever rings past the end is added at the beginning,
// so the last sample runs straight into the first and the loop has no seam.
Samples Music(const Job& job) {
  const Score score = ParseScore(ReadFile(job.sourceDir + "/text/music.txt"));
  const double seconds = job.Length();
  if (score.Seconds() < seconds - 0.01 || score.Seconds() > seconds + 0.01)
    throw std::runtime_error("music.txt: the score lasts " + std::to_string(score.Seconds()) +
                             " s, the music must last " + std::to_string(seconds) + " s");
  Samples out(job.count, 0.0);
  const double samplesPerBar = static_cast<double>(job.count) / score.bars;
  std::uint32_t seed = 1;
  for (const ScoreNote& note : score.notes) {
    const auto start = static_cast<std::size_t>(note.startBar * samplesPerBar);
    const Samples part = PlayNote(job, note, note.lengthBars * seconds / score.bars, seed++);
    const double gain = Level(note.instrument);
    for (std::size_t i = 0; i < part.size(); ++i) out[(start + i) % out.size()] += gain * part[i];
  }
  return out;
}

}  // namespace sounds
