#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <span>
#include <string>
#include <vector>

#include "assets/Assets.h"
#include "assets/Pack.h"

namespace {

using Bytes = std::span<const std::uint8_t>;

std::uint32_t Le(Bytes b, std::size_t at, int width) {
  std::uint32_t v = 0;
  for (int i = width - 1; i >= 0; --i) v = (v << 8) | b[at + i];
  return v;
}

std::string Tag(Bytes b, std::size_t at) {
  return std::string(b.begin() + at, b.begin() + at + 4);
}

struct Chunk {
  std::string id;
  std::size_t body = 0;    // offset of the first byte after the 8-byte chunk header
  std::uint32_t size = 0;  // as its length field says
  bool fits = true;        // false when the length runs past the end of the file
};

// The chunks after the 12-byte RIFF header, each starting at an even offset after the one
// before (odd bodies are padded). Stops at a chunk whose length runs past the end.
std::vector<Chunk> Chunks(Bytes file) {
  std::vector<Chunk> chunks;
  std::size_t at = 12;
  while (at + 8 <= file.size()) {
    Chunk c{Tag(file, at), at + 8, Le(file, at + 4, 4)};
    c.fits = c.size <= file.size() - c.body;
    chunks.push_back(c);
    if (!c.fits) break;
    at = c.body + c.size + (c.size % 2);
  }
  // Bytes too few for a chunk header after the last whole chunk show up as a chunk of their own.
  if (at < file.size() && (chunks.empty() || chunks.back().fits))
    chunks.push_back({"(stray bytes)"});
  return chunks;
}

struct Expected {
  const char* name;
  std::uint32_t rate;
  double seconds;
  std::uint32_t fmtSize;
  std::vector<std::string> chunks;  // after "fmt " and "data"
};

const std::vector<Expected>& Table() {
  static const std::vector<Expected> table = {
      {"SBEEP", 11025, 0.45, 18, {"LIST"}},
      {"SBLASTER", 8000, 0.20, 16, {}},
      {"SBOMBFOUND", 8000, 0.34, 18, {"cue ", "LIST"}},
      {"SBOMBUSED", 22050, 1.20, 16, {}},
      {"SERROR", 11025, 2.79, 18, {"LIST"}},
      {"SEXPLODE", 8000, 0.88, 16, {}},
      {"SHIT", 8000, 0.51, 16, {}},
      {"SLASER", 11025, 1.21, 18, {}},
      {"SMONEY", 11025, 0.23, 16, {}},
      {"SMUSIC", 22050, 30.00, 16, {}},
      {"SPHOTON", 11025, 0.84, 18, {"LIST"}},
      {"SPLASMA", 11025, 0.32, 16, {}},
      {"SPULSE", 11025, 0.19, 18, {}},
      {"SSHIELDSHIT", 11025, 0.89, 18, {}},
      {"SSHIELDSOFF", 11025, 0.83, 18, {}},
      {"SSHIELDSON", 11025, 1.49, 18, {"LIST"}},
      {"SSPECIAL", 11025, 1.96, 16, {}},
      {"SUPGRADE", 11025, 0.39, 16, {}},
      {"SWARNING", 11025, 0.46, 16, {}},
      {"SWIN", 22050, 2.07, 16, {}},
  };
  return table;
}

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// The samples of a sound, found the way the game's loader finds them: the first "fmt"
// anywhere, then the first "data" from there on.
Bytes Samples(Bytes file) {
  const auto search = [&](std::size_t from, std::string_view what) {
    auto it = std::search(file.begin() + from, file.end(), what.begin(), what.end());
    return static_cast<std::size_t>(it - file.begin());
  };
  const std::size_t fmt = search(0, "fmt");
  const std::size_t data = search(fmt, "data");
  if (data + 8 > file.size()) return {};
  const std::uint32_t size = Le(file, data + 4, 4);
  if (size > file.size() - data - 8) return {};
  return file.subspan(data + 8, size);
}

TEST(SoundAssets, EverySoundHasItsFormatLengthAndChunkLayout) {
  EXPECT_TRUE(assets::Sound("SBlasterX").empty());
  EXPECT_TRUE(assets::Sound("").empty());
  for (const Expected& e : Table()) {
    SCOPED_TRACE(e.name);
    const Bytes file = assets::Sound(e.name);
    ASSERT_GE(file.size(), 44u);
    EXPECT_EQ(Tag(file, 0), "RIFF");
    EXPECT_EQ(Tag(file, 8), "WAVE");
    EXPECT_EQ(Le(file, 4, 4), file.size() - 8);

    const std::vector<Chunk> chunks = Chunks(file);
    std::vector<std::string> ids;
    for (const Chunk& c : chunks) ids.push_back(c.id);
    std::vector<std::string> want = {"fmt ", "data"};
    want.insert(want.end(), e.chunks.begin(), e.chunks.end());
    ASSERT_EQ(ids, want);

    const Chunk& fmt = chunks[0];
    EXPECT_EQ(fmt.size, e.fmtSize);
    EXPECT_EQ(Le(file, fmt.body, 2), 1u) << "PCM";
    EXPECT_EQ(Le(file, fmt.body + 2, 2), 1u) << "mono";
    EXPECT_EQ(Le(file, fmt.body + 4, 4), e.rate);
    EXPECT_EQ(Le(file, fmt.body + 8, 4), e.rate) << "bytes per second";
    EXPECT_EQ(Le(file, fmt.body + 12, 2), 1u) << "block align";
    EXPECT_EQ(Le(file, fmt.body + 14, 2), 8u) << "bits per sample";
    if (e.fmtSize == 18) {
      EXPECT_EQ(Le(file, fmt.body + 16, 2), 0u) << "extra format size";
    }

    const Chunk& data = chunks[1];
    EXPECT_NEAR(data.size, e.seconds * e.rate, e.seconds * e.rate * 0.02);
    if (data.size % 2) {
      ASSERT_LT(data.body + data.size, file.size());
      EXPECT_EQ(file[data.body + data.size], 0) << "pad byte after odd data";
    }

    // Trailing chunks are well formed, except the error sound's LIST, which runs past the end.
    for (const Chunk& c : chunks) {
      if (c.id == "cue ") {
        ASSERT_TRUE(c.fits);
        EXPECT_EQ(c.size, 28u);
        EXPECT_EQ(Le(file, c.body, 4), 1u) << "one cue point";
        EXPECT_EQ(Tag(file, c.body + 12), "data");
      } else if (c.id == "LIST") {
        EXPECT_EQ(Tag(file, c.body), "INFO");
        EXPECT_EQ(c.fits, std::string(e.name) != "SERROR");
        if (!c.fits) continue;
        // The INAM entry names the sound.
        EXPECT_EQ(Tag(file, c.body + 4), "INAM");
        const std::uint32_t length = Le(file, c.body + 8, 4);
        ASSERT_LE(c.body + 12 + length, c.body + c.size);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(&file[c.body + 12])), e.name);
      }
    }
  }
}

TEST(SoundAssets, NoSoundIsSilentClippedOffCentreOrClickingAndTheMusicLoopsSmoothly) {
  for (const Expected& e : Table()) {
    SCOPED_TRACE(e.name);
    const Bytes file = assets::Sound(e.name);
    EXPECT_EQ(assets::Sound(Lower(e.name)).data(), file.data()) << "lookup ignores letter case";
    const Bytes s = Samples(file);
    ASSERT_FALSE(s.empty());
    const auto [low, high] = std::minmax_element(s.begin(), s.end());
    EXPECT_GE(*high - *low, 56) << "too quiet";  // the warning peaks lowest
    EXPECT_GT(*low, 0) << "clipped at the bottom";
    EXPECT_LT(*high, 255) << "clipped at the top";
    double sum = 0;
    for (std::uint8_t x : s) sum += x;
    EXPECT_NEAR(sum / static_cast<double>(s.size()), 128, 1.0) << "off centre";
    if (std::string(e.name) != "SMUSIC") {
      EXPECT_NEAR(s.front(), 128, 2) << "starts with a click";
      EXPECT_NEAR(s.back(), 128, 2) << "ends with a click";
      continue;
    }
    // The music loops: a step across the seam no larger than the gentle steps around it.
    ASSERT_GT(s.size(), 2u);
    const int seam = std::abs(s.back() - s.front());
    EXPECT_LE(seam, 4);
    const int before = std::abs(s[s.size() - 1] - s[s.size() - 2]);
    EXPECT_LE(seam, std::max(before, std::abs(s[1] - s[0])) + 3);
  }
}

// The generator runs again from the same sources and must give the same bytes.
TEST(SoundAssets, GeneratorMakesTheSameSoundsEveryRun) {
  const std::string pack = std::string(SKIRMORA_BINARY_DIR) + "/sound-assets-test.pack";
  std::string command = "'";
  command += SKIRMORA_BINARY_DIR "/skirmora-assetgen' --pack '" + pack;
  command += "' --sources '" SKIRMORA_SOURCE_DIR "/assets'";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  std::ifstream in(pack, std::ios::binary);
  const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                        std::istreambuf_iterator<char>());
  std::remove(pack.c_str());
  const auto files = assets::ReadPack(bytes);
  ASSERT_TRUE(files.has_value());
  int sounds = 0;
  for (const auto& [name, made] : *files) {
    if (name.size() < 4 || name.substr(name.size() - 4) != ".wav") continue;
    ++sounds;
    const Bytes built = assets::File(name);
    EXPECT_TRUE(std::equal(made.begin(), made.end(), built.begin(), built.end())) << name;
  }
  EXPECT_EQ(sounds, 20);
}

}  // namespace
