#pragma once
// The asset pack: "SKPACK1\n", then for each file a 16-bit name length, the name, a 32-bit
// size and the bytes, all little-endian. Written by the generator, read by the program.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace assets {

inline constexpr char kPackMagic[] = "SKPACK1\n";

struct PackFile {
  std::string name;
  std::vector<std::uint8_t> bytes;
};

inline std::vector<std::uint8_t> WritePack(const std::vector<PackFile>& files) {
  std::vector<std::uint8_t> out(kPackMagic, kPackMagic + 8);
  for (const PackFile& f : files) {
    out.push_back(f.name.size() & 0xFF), out.push_back((f.name.size() >> 8) & 0xFF);
    out.insert(out.end(), f.name.begin(), f.name.end());
    for (int i = 0; i < 4; ++i) out.push_back((f.bytes.size() >> (8 * i)) & 0xFF);
    out.insert(out.end(), f.bytes.begin(), f.bytes.end());
  }
  return out;
}

// Splits a pack into (name, bytes) views; nothing when it is damaged.
inline std::optional<std::vector<std::pair<std::string, std::span<const std::uint8_t>>>> ReadPack(
    std::span<const std::uint8_t> pack) {
  if (pack.size() < 8 || !std::equal(pack.begin(), pack.begin() + 8, kPackMagic))
    return std::nullopt;
  std::vector<std::pair<std::string, std::span<const std::uint8_t>>> files;
  std::size_t at = 8;
  while (at < pack.size()) {
    if (pack.size() - at < 2) return std::nullopt;
    const std::size_t nameLen = pack[at] | (pack[at + 1] << 8);
    at += 2;
    if (pack.size() - at < nameLen + 4) return std::nullopt;
    std::string name(pack.begin() + static_cast<std::ptrdiff_t>(at),
                     pack.begin() + static_cast<std::ptrdiff_t>(at + nameLen));
    at += nameLen;
    std::size_t size = 0;
    for (int i = 0; i < 4; ++i) size |= static_cast<std::size_t>(pack[at + i]) << (8 * i);
    at += 4;
    if (pack.size() - at < size) return std::nullopt;
    files.emplace_back(std::move(name), pack.subspan(at, size));
    at += size;
  }
  return files;
}

}  // namespace assets
