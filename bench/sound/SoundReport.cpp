// skirmora-sound-report FILE [OPTIONS]: what a listener hears in a recording of the game's
// sound, raw 16-bit little-endian stereo at 44.1 kHz as `skirmora-script --mixdown` and SDL's
// disk audio driver write it: the samples at full scale, the peak, the loudness second by
// second, and the music's fade-out when the game window closes, level by level every 100 ms.
//
//   --fade-start SECONDS  where the fade-out begins (default: 2 s before the end)
//   --reference FILE      the same game with the music playing on instead of fading: each
//                         100 ms of the fade is also given against it, which takes out the
//                         music's own rises and falls
//   --balance A B C D     the loudness of the music alone (A to B seconds) and of held fire
//                         over the music (C to D)
//   --check               exits with status 1, saying why, unless: no sample is at full
//                         scale; against the reference, each 100 ms of the fade lies 5 dB
//                         (within 1.5 dB) below the one before, for as long as the music has
//                         content and the faded signal lies above the last bit; the fade is
//                         still heard 1.2 s after it began; it lasts 2 s; and held fire is at
//                         most 6 dB louder than the music alone
//
// Loudness is short-term loudness as broadcasters measure it (ITU-R BS.1770: K-weighted,
// both channels summed, over 3 s), in LUFS; levels are RMS in dB of full scale.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 44100;
constexpr std::size_t kBlock = kRate / 10;  // 100 ms
constexpr double kFullScale = 32768;
// A signal whose RMS lies below one step of the last bit is gone after rounding.
const double kLastBitDb = 20 * std::log10(1 / kFullScale);

struct Stereo {
  std::vector<std::int16_t> samples;  // interleaved left, right
  std::size_t Frames() const { return samples.size() / 2; }
};

std::optional<Stereo> Read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  const std::vector<char> bytes((std::istreambuf_iterator<char>(in)),
                                std::istreambuf_iterator<char>());
  Stereo s;
  s.samples.resize(bytes.size() / 4 * 2);
  for (std::size_t i = 0; i < s.samples.size(); ++i)
    s.samples[i] = static_cast<std::int16_t>(static_cast<std::uint8_t>(bytes[2 * i]) |
                                             static_cast<std::uint8_t>(bytes[2 * i + 1]) << 8);
  return s;
}

double Db(double ratio) {
  return ratio > 0 ? 20 * std::log10(ratio) : -INFINITY;
}

// RMS of frames [from, to) of both channels, in dB of full scale.
double LevelDb(const Stereo& s, std::size_t from, std::size_t to) {
  if (to > s.Frames()) to = s.Frames();
  if (from >= to) return -INFINITY;
  double sum = 0;
  for (std::size_t i = 2 * from; i < 2 * to; ++i)
    sum += static_cast<double>(s.samples[i]) * s.samples[i];
  return Db(std::sqrt(sum / (2.0 * static_cast<double>(to - from))) / kFullScale);
}

// A second-order filter section (direct form I).
struct Biquad {
  double b0, b1, b2, a1, a2;
  double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
  double Run(double x) {
    const double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
    x2 = x1, x1 = x, y2 = y1, y1 = y;
    return y;
  }
};

// The K-weighting of BS.1770 at our rate: a high shelf of +4 dB above about 1.7 kHz (the
// head), then a high-pass at about 38 Hz. Both designed by the bilinear transform.
struct KWeighting {
  Biquad shelf, highPass;
  KWeighting() {
    const double pi = 3.14159265358979323846;
    {
      const double f0 = 1681.974450955533, gainDb = 3.999843853973347, q = 0.7071752369554196;
      const double k = std::tan(pi * f0 / kRate), vh = std::pow(10, gainDb / 20);
      const double vb = std::pow(vh, 0.4996667741545416), a0 = 1 + k / q + k * k;
      shelf = {(vh + vb * k / q + k * k) / a0, 2 * (k * k - vh) / a0,
               (vh - vb * k / q + k * k) / a0, 2 * (k * k - 1) / a0, (1 - k / q + k * k) / a0};
    }
    {
      const double f0 = 38.13547087602444, q = 0.5003270373238773;
      const double k = std::tan(pi * f0 / kRate), a0 = 1 + k / q + k * k;
      highPass = {1, -2, 1, 2 * (k * k - 1) / a0, (1 - k / q + k * k) / a0};
    }
  }
  double Run(double x) { return highPass.Run(shelf.Run(x)); }
};

// The K-weighted energy of each 100 ms block, both channels summed, as mean squares.
std::vector<double> BlockEnergies(const Stereo& s) {
  KWeighting left, right;
  std::vector<double> blocks;
  double sum = 0;
  for (std::size_t i = 0; i < s.Frames(); ++i) {
    const double l = left.Run(s.samples[2 * i] / kFullScale);
    const double r = right.Run(s.samples[2 * i + 1] / kFullScale);
    sum += l * l + r * r;
    if ((i + 1) % kBlock == 0) {
      blocks.push_back(sum / kBlock);
      sum = 0;
    }
  }
  return blocks;
}

// Loudness of blocks [from, to), in LUFS.
double Loudness(const std::vector<double>& blocks, std::size_t from, std::size_t to) {
  if (to > blocks.size()) to = blocks.size();
  if (from >= to) return -INFINITY;
  double sum = 0;
  for (std::size_t i = from; i < to; ++i) sum += blocks[i];
  const double mean = sum / static_cast<double>(to - from);
  return mean > 0 ? -0.691 + 10 * std::log10(mean) : -INFINITY;
}

std::size_t FramesAt(double seconds) {
  return seconds <= 0 ? 0 : static_cast<std::size_t>(std::llround(seconds * kRate));
}

std::string Format(double db) {
  if (std::isinf(db)) return "silent";
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", db);
  return text;
}

int Usage() {
  std::fprintf(stderr,
               "usage: skirmora-sound-report FILE [--fade-start SECONDS] [--reference FILE]\n"
               "                             [--balance A B C D] [--check]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  const std::string path = argv[1];
  std::optional<double> fadeStart;
  std::string referencePath;
  std::vector<double> balance;
  bool check = false;
  for (int i = 2; i < argc; ++i) {
    const std::string arg = argv[i];
    const auto number = [&] {
      if (++i >= argc) std::exit(Usage());
      char* end = nullptr;
      const double v = std::strtod(argv[i], &end);
      if (*end != '\0') std::exit(Usage());
      return v;
    };
    if (arg == "--fade-start") {
      fadeStart = number();
    } else if (arg == "--reference" && i + 1 < argc) {
      referencePath = argv[++i];
    } else if (arg == "--balance") {
      for (int k = 0; k < 4; ++k) balance.push_back(number());
    } else if (arg == "--check") {
      check = true;
    } else {
      return Usage();
    }
  }
  const std::optional<Stereo> sound = Read(path);
  if (!sound || sound->Frames() == 0) {
    std::fprintf(stderr, "skirmora-sound-report: no sound in %s\n", path.c_str());
    return 2;
  }
  std::optional<Stereo> reference;
  if (!referencePath.empty() && !(reference = Read(referencePath))) {
    std::fprintf(stderr, "skirmora-sound-report: cannot read %s\n", referencePath.c_str());
    return 2;
  }
  std::vector<std::string> faults;
  const auto fault = [&](std::string what) { faults.push_back(std::move(what)); };

  const std::size_t frames = sound->Frames();
  const double seconds = static_cast<double>(frames) / kRate;
  long fullScale = 0;
  int peak = 0;
  for (std::int16_t v : sound->samples) {
    if (v == 32767 || v == -32768) ++fullScale;
    peak = std::max(peak, std::abs(static_cast<int>(v)));
  }
  std::printf("%.2f s of sound; %ld samples at full scale; peak %s dBFS\n", seconds, fullScale,
              Format(Db(peak / kFullScale)).c_str());
  if (fullScale > 0) fault(std::to_string(fullScale) + " samples at full scale");

  const std::vector<double> blocks = BlockEnergies(*sound);
  std::printf("\nsecond  peak (dBFS)  RMS (dBFS)  short-term loudness (LUFS)  full scale\n");
  for (std::size_t s = 0; s * kRate < frames; ++s) {
    const std::size_t from = s * kRate, to = std::min(frames, from + kRate);
    int secondPeak = 0;
    long clipped = 0;
    for (std::size_t i = 2 * from; i < 2 * to; ++i) {
      secondPeak = std::max(secondPeak, std::abs(static_cast<int>(sound->samples[i])));
      clipped += sound->samples[i] == 32767 || sound->samples[i] == -32768;
    }
    const std::size_t endBlock = (s + 1) * 10;
    std::printf(
        "%6zu  %11s  %10s  %26s  %10ld\n", s + 1, Format(Db(secondPeak / kFullScale)).c_str(),
        Format(LevelDb(*sound, from, to)).c_str(),
        Format(Loudness(blocks, endBlock >= 30 ? endBlock - 30 : 0, endBlock)).c_str(), clipped);
  }

  if (balance.size() == 4) {
    const auto span = [&](double from, double to) {
      return Loudness(blocks, FramesAt(from) / kBlock, FramesAt(to) / kBlock);
    };
    const double music = span(balance[0], balance[1]), fire = span(balance[2], balance[3]);
    std::printf(
        "\nmusic alone (%.1f-%.1f s): %s LUFS; held fire (%.1f-%.1f s): %s LUFS; fire louder by %s "
        "dB\n",
        balance[0], balance[1], Format(music).c_str(), balance[2], balance[3], Format(fire).c_str(),
        Format(fire - music).c_str());
    if (!(fire - music <= 6.0)) fault("held fire is more than 6 dB louder than the music alone");
  }

  const std::size_t fadeFrom = fadeStart            ? FramesAt(*fadeStart)
                               : frames > 2 * kRate ? frames - 2 * kRate
                                                    : 0;
  const double fadeLength = static_cast<double>(frames - std::min(frames, fadeFrom)) / kRate;
  std::printf("\nfade-out from %.2f s to the end, %.2f s; level every 100 ms (dBFS):\n",
              static_cast<double>(fadeFrom) / kRate, fadeLength);
  std::string levels, against;
  std::optional<double> before = 0.0;  // the last step heard, against the music (0: none yet)
  for (std::size_t k = 0; fadeFrom + k * kBlock < frames && k < 30; ++k) {
    const std::size_t from = fadeFrom + k * kBlock, to = from + kBlock;
    const double level = LevelDb(*sound, from, to);
    levels += " " + Format(level);
    if (k == 12 && std::isinf(level)) fault("the fade is silent 1.2 s after it began");
    if (!reference) continue;
    const double unfaded = LevelDb(*reference, from, to), step = level - unfaded;
    against += " " + Format(step);
    const double expected = -5.0 * static_cast<double>(k + 1);
    const bool heard = unfaded > -60 && unfaded + expected > kLastBitDb + 1;
    const std::string name = "the fade's step " + std::to_string(k + 1);
    if (heard && !(std::fabs(step - expected) <= 1.5))
      fault(name + " lies " + Format(step) + " dB under the music, not " + Format(expected));
    if (heard && before && !(std::fabs(*before - step - 5) <= 1.5))
      fault(name + " falls " + Format(*before - step) + " dB, not 5");
    before = heard ? std::optional(step) : std::nullopt;
  }
  std::printf("%s\n", levels.c_str());
  if (reference) std::printf("against the music playing on (dB):\n%s\n", against.c_str());
  if (fadeStart && std::fabs(fadeLength - 2.0) > 0.02)
    fault("the fade lasts " + Format(fadeLength) + " s, not 2 s");

  if (!check) return 0;
  for (const std::string& f : faults) std::printf("FAIL: %s\n", f.c_str());
  if (faults.empty()) std::printf("PASS\n");
  return faults.empty() ? 0 : 1;
}
