#include "sounds/Synth.h"

#include <cmath>

namespace synth {

double Sine(double cycles) {
  double x = cycles - std::floor(cycles);  // [0, 1)
  // Fold onto the quarter wave around 0, where the series converges fast.
  if (x > 0.75)
    x -= 1.0;
  else if (x > 0.25)
    x = 0.5 - x;
  const double a = x * 6.283185307179586;
  const double a2 = a * a;
  return a * (1 - a2 / 6 * (1 - a2 / 20 * (1 - a2 / 42 * (1 - a2 / 72 * (1 - a2 / 110)))));
}

double Exp2(double x) {
  const double whole = std::floor(x);
  const double y = (x - whole) * 0.6931471805599453;  // e^y with y in [0, ln 2)
  double term = 1, sum = 1;
  for (int k = 1; k <= 12; ++k) {
    term = term * y / k;
    sum += term;
  }
  return std::ldexp(sum, static_cast<int>(whole));
}

double NoteHz(double note) {
  return 440.0 * Exp2((note - 69) / 12.0);
}

double Glide(double fromHz, double semitones, double progress) {
  if (progress > 1) progress = 1;
  if (progress < 0) progress = 0;
  return fromHz * Exp2(semitones * progress / 12.0);
}

double Noise::Next() {
  return Unit() * 2 - 1;
}

double Noise::Unit() {
  state_ ^= state_ << 13;
  state_ ^= state_ >> 17;
  state_ ^= state_ << 5;
  return static_cast<double>(state_ >> 8) / 16777216.0;
}

double Oscillator::Step(double hz) {
  const double before = phase_;
  phase_ += hz / rate_;
  phase_ -= std::floor(phase_);
  return before;
}

double Oscillator::Partials(double hz, std::initializer_list<double> amplitudes) {
  const double phase = Step(hz);
  double sum = 0;
  int n = 1;
  for (double amp : amplitudes) {
    if (hz * n >= 0.45 * rate_) break;
    sum += amp * Sine(phase * n);
    ++n;
  }
  return sum;
}

double SawSample(Oscillator& osc, double hz) {
  return osc.Partials(hz, {1.0, 1 / 2.0, 1 / 3.0, 1 / 4.0, 1 / 5.0, 1 / 6.0, 1 / 7.0, 1 / 8.0,
                           1 / 9.0, 1 / 10.0, 1 / 11.0, 1 / 12.0}) *
         0.6;
}

double SquareSample(Oscillator& osc, double hz) {
  return osc.Partials(hz, {1.0, 0, 1 / 3.0, 0, 1 / 5.0, 0, 1 / 7.0, 0, 1 / 9.0, 0, 1 / 11.0}) * 0.8;
}

double LowPass::Run(double in, double cutoffHz) {
  // The exact step response of an analogue one-pole: k = 1 - e^(-2 pi fc / rate), which stays
  // below 1 and so stable at any cutoff.
  const double k = 1 - Exp2(-9.064720283654388 * cutoffHz / rate_);  // 2 pi / ln 2
  state_ += k * (in - state_);
  return state_;
}

double BandPass::Run(double in, double centreHz, double damping) {
  double f = 2 * Sine(centreHz / rate_ / 2);
  if (f > 1.2) f = 1.2;  // the filter turns unstable as f nears 2
  low_ += f * band_;
  const double high = in - low_ - damping * band_;
  band_ += f * high;
  return band_;
}

double Decay(double t, double halfLife) {
  return t < 0 ? 0 : Exp2(-t / halfLife);
}

double AttackDecay(double t, double attack, double halfLife) {
  if (t < 0) return 0;
  if (t < attack) return t / attack;
  return Decay(t - attack, halfLife);
}

double Gate(double t, double attack, double length, double release) {
  if (t < 0 || t >= length) return 0;
  double g = 1;
  if (t < attack) g = t / attack;
  if (length - t < release) g *= (length - t) / release;
  return g;
}

void MixIn(Samples& into, const Samples& part, std::size_t at, double gain) {
  for (std::size_t i = 0; i < part.size() && at + i < into.size(); ++i)
    into[at + i] += gain * part[i];
}

}  // namespace synth
