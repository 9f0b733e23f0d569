// How the sounds come across to a player: loud enough and not too loud against each other,
// with their body where ordinary speakers can play it, and starting when they should.
// (tools/sound-loudness prints the same measures for all of them.)
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "assets/Assets.h"
#include "host/RegistryFile.h"
#include "host/headless/HeadlessHost.h"
#include "platform/ThornDirectSound.h"

namespace {

struct Sound {
  std::vector<double> x;  // -1 to 1
  double rate = 0;
};

// The samples of a sound as the game's sound manager loads them.
Sound Load(const std::string& name) {
  host::HeadlessHost host{std::make_unique<host::MemoryRegistryStore>()};
  host::WindowEvents events;
  const auto window = host.CreateWindow(host::WindowSpec{}, events);
  platform::ThornDirectSound manager(host.Audio());
  manager.hWnd(*window);
  manager.Add(assets::Sound(name), name);
  const host::HeadlessSound& loaded = *host.Audio().Find(name);
  Sound s;
  s.rate = loaded.Format().samplesPerSec;
  for (const std::uint8_t v : loaded.Samples()) s.x.push_back((v - 128) / 128.0);
  return s;
}

double Db(double amplitude) {
  return 20 * std::log10(std::max(amplitude, 1e-9));
}

double Rms(const std::vector<double>& x, std::size_t from = 0, std::size_t to = SIZE_MAX) {
  to = std::min(to, x.size());
  double sum = 0;
  for (std::size_t i = from; i < to; ++i) sum += x[i] * x[i];
  return std::sqrt(sum / static_cast<double>(to - from));
}

double Peak(const std::vector<double>& x, std::size_t from = 0, std::size_t to = SIZE_MAX) {
  double peak = 0;
  for (std::size_t i = from; i < std::min(to, x.size()); ++i)
    peak = std::max(peak, std::fabs(x[i]));
  return peak;
}

// RMS of the loudest window of `seconds`, and where the first window starts that comes within
// 6 dB of it.
struct Windows {
  double loudest = 0;
  double attackSeconds = 0;
};
Windows Loudest(const Sound& s, double seconds) {
  const auto n = static_cast<std::size_t>(s.rate * seconds);
  std::vector<double> levels;
  for (std::size_t i = 0; i + n <= s.x.size(); i += n / 4) levels.push_back(Rms(s.x, i, i + n));
  Windows w;
  w.loudest = *std::max_element(levels.begin(), levels.end());
  const auto first =
      std::find_if(levels.begin(), levels.end(), [&](double l) { return l >= w.loudest / 2; });
  w.attackSeconds =
      static_cast<double>(first - levels.begin()) * static_cast<double>(n / 4) / s.rate;
  return w;
}

// What a small speaker plays: a fourth-order Butterworth high-pass at 150 Hz.
std::vector<double> HighPass150(const Sound& s) {
  std::vector<double> y = s.x;
  for (double q : {0.5411961, 1.3065630}) {  // the two sections of a fourth-order Butterworth
    const double w = 2 * std::numbers::pi * 150 / s.rate, alpha = std::sin(w) / (2 * q);
    const double a0 = 1 + alpha, c = std::cos(w);
    const double b0 = (1 + c) / 2 / a0, b1 = -(1 + c) / a0, a1 = -2 * c / a0, a2 = (1 - alpha) / a0;
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    for (double& v : y) {
      const double out = b0 * v + b1 * x1 + b0 * x2 - a1 * y1 - a2 * y2;
      x2 = x1, x1 = v, y2 = y1, y1 = out;
      v = out;
    }
  }
  return y;
}

const std::vector<std::string> kEffects = {
    "SBeep",      "SBlaster", "SBombFound", "SBombUsed", "SError", "SExplode",    "SHit",
    "SLaser",     "SMoney",   "SPhoton",    "SPlasma",   "SPulse", "SShieldsHit", "SShieldsOff",
    "SShieldsOn", "SSpecial", "SUpgrade",   "SWarning",  "SWin"};

TEST(SoundLoudness, BlastsAndHitsHaveTheirBodyWhereSmallSpeakersPlayShotsStartAtOnce) {
  for (const char* name : {"SBombUsed", "SExplode", "SHit"}) {
    const Sound s = Load(name);
    const double whole = Db(Rms(s.x)), high = Db(Rms(HighPass150(s)));
    EXPECT_GE(high, -19) << name;
    EXPECT_GE(high, whole - 2) << name << ": most of the energy lies above 150 Hz";
  }
  for (const char* name : {"SPhoton", "SShieldsOn", "SBlaster", "SPulse"})
    EXPECT_LE(Loudest(Load(name), 0.01).attackSeconds, 0.03) << name;
}

TEST(SoundLoudness, TheFanfaresPickUpNotesAreHeard) {
  const Sound win = Load("SWin");
  const auto chord = static_cast<std::size_t>(0.48 * win.rate);
  const double held = Peak(win.x, chord);
  for (double start : {0.0, 0.16, 0.32}) {
    const auto from = static_cast<std::size_t>(start * win.rate);
    EXPECT_GE(Peak(win.x, from, from + static_cast<std::size_t>(0.14 * win.rate)), held / 2)
        << "the note at " << start << " s";
  }
}

// Every sound sits centred in the 8-bit range without touching its ends, and starts and ends
// at rest (or it clicks); the music's loop joins without a step. Each effect is clearly heard;
// the warning, which repeats every frame while the bomb key is held too early, is not the
// loudest; the music stands level with the effects, so that it is still heard under held fire.
TEST(SoundLoudness, NoSoundClicksOrClipsAndEachIsHeardAtItsLevel) {
  EXPECT_TRUE(assets::Sound("SBlasterX").empty()) << "names are found in any case, not in part";
  const double warning = Db(Rms(Load("SWarning").x));
  EXPECT_LE(warning, -14);
  std::vector<double> effects;
  std::vector<std::string> all = kEffects;
  all.push_back("smusic");
  for (const std::string& name : all) {
    const Sound s = Load(name);
    const std::vector<double>& x = s.x;
    ASSERT_GT(x.size(), 2u) << name;
    const auto [low, high] = std::minmax_element(x.begin(), x.end());
    EXPECT_GT(*low, -1.0) << name << ": clipped at the bottom";
    EXPECT_LT(*high, 127 / 128.0) << name << ": clipped at the top";
    double sum = 0;
    for (double v : x) sum += v;
    EXPECT_NEAR(sum / static_cast<double>(x.size()), 0, 1 / 128.0) << name << ": off centre";
    const bool music = name == "smusic";
    const double step = music ? std::fabs(x.back() - x.front())
                              : std::max(std::fabs(x.front()), std::fabs(x.back()));
    EXPECT_LE(step, (music ? 4 : 2) / 128.0) << name << ": a click at its ends or in the loop";
    if (music) {
      std::nth_element(effects.begin(), effects.begin() + effects.size() / 2, effects.end());
      EXPECT_NEAR(Db(Loudest(s, 0.05).loudest), effects[effects.size() / 2], 3);
      continue;
    }
    effects.push_back(Db(Loudest(s, 0.05).loudest));
    EXPECT_GE(effects.back(), -16) << name;
    EXPECT_LE(effects.back(), -7) << name;
    if (name != "SWarning") {
      EXPECT_LT(warning, Db(Rms(x)) + 6) << name;
    }
  }
}

}  // namespace
