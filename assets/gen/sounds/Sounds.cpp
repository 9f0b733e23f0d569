// The game's sounds: which generator makes each, at what rate and length, in which file
// layout; and the finishing every effect gets before it becomes 8-bit samples.
#include <cmath>
#include <cstdint>

#include "Generators.h"
#include "sounds/Families.h"
#include "sounds/WavWriter.h"

namespace {

using sounds::Generator;
using wav::Trailer;

struct SoundEntry {
  const char* name;
  int rate;
  double seconds;
  bool extendedFmt;
  Trailer trailer;
  Generator make;
  // Loudest sample, of full scale: steady tones sit lower than short hits, and the music,
  // whose level is steady, peaks highest, which stands it level with the effects' loudest
  // moments, so that it is still heard under held fire.
  double peak;
  bool loops;  // looping sounds keep their ends as they are so the loop stays seamless
};

constexpr SoundEntry kSounds[] = {
    {"SBEEP", 11025, 0.45, true, Trailer::kInfo, sounds::Beep, 0.72, false},
    {"SBLASTER", 8000, 0.20, false, Trailer::kNone, sounds::Blaster, 0.72, false},
    {"SBOMBFOUND", 8000, 0.34, true, Trailer::kCueAndInfo, sounds::BombFound, 0.56, false},
    {"SBOMBUSED", 22050, 1.20, false, Trailer::kNone, sounds::BombUsed, 0.72, false},
    {"SERROR", 11025, 2.79, true, Trailer::kDamagedInfo, sounds::Error, 0.56, false},
    {"SEXPLODE", 8000, 0.88, false, Trailer::kNone, sounds::Explode, 0.64, false},
    {"SHIT", 8000, 0.51, false, Trailer::kNone, sounds::Hit, 0.64, false},
    {"SLASER", 11025, 1.21, true, Trailer::kNone, sounds::Laser, 0.6, false},
    {"SMONEY", 11025, 0.23, false, Trailer::kNone, sounds::Money, 0.72, false},
    {"SMUSIC", 22050, 30.00, false, Trailer::kNone, sounds::Music, 0.9, true},
    {"SPHOTON", 11025, 0.84, true, Trailer::kInfo, sounds::Photon, 0.72, false},
    {"SPLASMA", 11025, 0.32, false, Trailer::kNone, sounds::Plasma, 0.72, false},
    {"SPULSE", 11025, 0.19, true, Trailer::kNone, sounds::Pulse, 0.72, false},
    {"SSHIELDSHIT", 11025, 0.89, true, Trailer::kNone, sounds::ShieldsHit, 0.72, false},
    {"SSHIELDSOFF", 11025, 0.83, true, Trailer::kNone, sounds::ShieldsOff, 0.72, false},
    {"SSHIELDSON", 11025, 1.49, true, Trailer::kInfo, sounds::ShieldsOn, 0.72, false},
    {"SSPECIAL", 11025, 1.96, false, Trailer::kNone, sounds::Special, 0.72, false},
    {"SUPGRADE", 11025, 0.39, false, Trailer::kNone, sounds::Upgrade, 0.72, false},
    {"SWARNING", 11025, 0.46, false, Trailer::kNone, sounds::Warning, 0.24, false},
    {"SWIN", 22050, 2.07, false, Trailer::kNone, sounds::Win, 0.72, false},
};

// Removes any slow drift from the centre line, then fades the first 2 ms in and the last
// 10 ms out so that starting or cutting a sound never clicks.
void CleanEnds(synth::Samples& s, int rate) {
  double lastIn = 0, lastOut = 0;
  const double keep = 1 - 6.283185307179586 * 20 / rate;  // a 20 Hz DC blocker
  for (double& x : s) {
    lastOut = x - lastIn + keep * lastOut;
    lastIn = x;
    x = lastOut;
  }
  const auto fade = [&](std::size_t samples, bool atEnd) {
    for (std::size_t i = 0; i < samples && i < s.size(); ++i)
      s[atEnd ? s.size() - 1 - i : i] *= static_cast<double>(i) / samples;
  };
  fade(static_cast<std::size_t>(rate / 500), false);
  fade(static_cast<std::size_t>(rate / 100), true);
}

std::vector<std::uint8_t> ToUnsigned8(const synth::Samples& s, double level) {
  double peak = 0;
  for (double x : s) peak = std::max(peak, std::fabs(x));
  const double gain = peak > 0 ? level * 127 / peak : 0;
  std::vector<std::uint8_t> out;
  out.reserve(s.size());
  for (double x : s) out.push_back(static_cast<std::uint8_t>(128 + std::lround(x * gain)));
  return out;
}

}  // namespace

std::vector<assets::PackFile> MakeSounds(const std::string& sourceDir) {
  std::vector<assets::PackFile> files;
  for (const SoundEntry& e : kSounds) {
    const sounds::Job job{e.rate, static_cast<std::size_t>(std::lround(e.seconds * e.rate)),
                          sourceDir};
    synth::Samples samples = e.make(job);
    if (!e.loops) CleanEnds(samples, e.rate);
    const wav::Layout layout{e.rate, e.extendedFmt, e.trailer};
    files.push_back(
        {std::string(e.name) + ".wav", wav::Write(layout, ToUnsigned8(samples, e.peak), e.name)});
  }
  return files;
}
