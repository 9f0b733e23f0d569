#pragma once
// A small synthesis toolkit. Everything is built from +, -, * and / on doubles (plus exact
// floor and ldexp), with our own sine and exponential, so a render gives the same bytes on
// every machine and every run.
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <vector>

namespace synth {

using Samples = std::vector<double>;

// sin(2 pi x): the argument is in cycles, so phases never need a pi.
double Sine(double cycles);
// 2 to the power x.
double Exp2(double x);
// Frequency of a MIDI note number (69 = A 440 Hz).
double NoteHz(double note);
// An exponential glide from `fromHz` by `semitones` (negative: downwards) as `progress`
// runs from 0 to 1; beyond 1 it holds the end pitch.
double Glide(double fromHz, double semitones, double progress);

// Fixed-seed xorshift generator: uniform values in [-1, 1) or [0, 1).
class Noise {
 public:
  explicit Noise(std::uint32_t seed) : state_(seed ? seed : 0x9E3779B9u) {}
  double Next();  // [-1, 1)
  double Unit();  // [0, 1)

 private:
  std::uint32_t state_;
};

// A phase accumulator in cycles; call Step once per sample with the current frequency.
class Oscillator {
 public:
  explicit Oscillator(int rate, double startCycles = 0) : rate_(rate), phase_(startCycles) {}
  double Step(double hz);  // returns the phase before advancing
  // A sum of harmonics 1, 2, 3 ... with the given amplitudes, leaving out every harmonic
  // at or above 0.45 of the sample rate so that sweeps never alias.
  double Partials(double hz, std::initializer_list<double> amplitudes);
  double SineAt(double hz) { return Sine(Step(hz)); }

 private:
  int rate_;
  double phase_;
};

// Band-limited classic shapes built from partials (12 harmonics at most).
double SawSample(Oscillator& osc, double hz);
double SquareSample(Oscillator& osc, double hz);

// One-pole low-pass; cutoff in Hz may change every sample.
class LowPass {
 public:
  explicit LowPass(int rate) : rate_(rate) {}
  double Run(double in, double cutoffHz);

 private:
  int rate_;
  double state_ = 0;
};

// Resonant band-pass (a Chamberlin state-variable filter); lower damping rings more.
class BandPass {
 public:
  explicit BandPass(int rate) : rate_(rate) {}
  double Run(double in, double centreHz, double damping);

 private:
  int rate_;
  double low_ = 0, band_ = 0;
};

// Envelope pieces, `t` in seconds.
double Decay(double t, double halfLife);                       // 1 halving per halfLife
double AttackDecay(double t, double attack, double halfLife);  // linear rise, then decay
// Linear rise over `attack`, hold, linear fall over `release` ending at `length`.
double Gate(double t, double attack, double length, double release);

// Adds `part` into `into` starting at sample `at`, cut at the end of `into`.
void MixIn(Samples& into, const Samples& part, std::size_t at, double gain);

}  // namespace synth
