#pragma once
// The asset pack: "SKPACK2\n", a 32-bit count of files, then for each file a 16-bit name
// length, the name, a 32-bit offset from the start of the pack and a 32-bit size; then the
// files' bytes. All numbers little-endian. The names and places come first, so that finding
// a file reads only them and that file, not the whole pack (the program carries it in its
// own file, and every page read there stays in its memory). Written by the generator, read by
// the program.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace assets {

inline constexpr char kPackMagic[] = "SKPACK2\n";

struct PackFile {
  std::string name;
  std::vector<std::uint8_t> bytes;
};

inline std::vector<std::uint8_t> WritePack(const std::vector<PackFile>& files) {
  std::vector<std::uint8_t> out(kPackMagic, kPackMagic + 8);
  const auto put = [&out](std::size_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back((value >> (8 * i)) & 0xFF);
  };
  std::size_t offset = 8 + 4;
  for (const PackFile& f : files) offset += 2 + f.name.size() + 4 + 4;
  put(files.size(), 4);
  for (const PackFile& f : files) {
    put(f.name.size(), 2);
    out.insert(out.end(), f.name.begin(), f.name.end());
    put(offset, 4);
    put(f.bytes.size(), 4);
    offset += f.bytes.size();
  }
  for (const PackFile& f : files) out.insert(out.end(), f.bytes.begin(), f.bytes.end());
  return out;
}

// Splits a pack into (name, bytes) views; nothing when it is damaged.
inline std::optional<std::vector<std::pair<std::string, std::span<const std::uint8_t>>>> ReadPack(
    std::span<const std::uint8_t> pack) {
  if (pack.size() < 12 || !std::equal(pack.begin(), pack.begin() + 8, kPackMagic))
    return std::nullopt;
  std::size_t at = 8;
  const auto get = [&pack, &at](int bytes) {
    std::size_t value = 0;
    for (int i = 0; i < bytes; ++i) value |= static_cast<std::size_t>(pack[at++]) << (8 * i);
    return value;
  };
  const std::size_t count = get(4);
  std::vector<std::pair<std::string, std::span<const std::uint8_t>>> files;
  for (std::size_t n = 0; n < count; ++n) {
    if (pack.size() - at < 2) return std::nullopt;
    const std::size_t nameLen = get(2);
    if (pack.size() - at < nameLen + 8) return std::nullopt;
    std::string name(pack.begin() + static_cast<std::ptrdiff_t>(at),
                     pack.begin() + static_cast<std::ptrdiff_t>(at + nameLen));
    at += nameLen;
    const std::size_t offset = get(4), size = get(4);
    if (offset > pack.size() || pack.size() - offset < size) return std::nullopt;
    files.emplace_back(std::move(name), pack.subspan(offset, size));
  }
  return files;
}

}  // namespace assets
