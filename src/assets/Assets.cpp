#include "assets/Assets.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>

#include "assets/Pack.h"
#include "host/ImageFile.h"

extern "C" const std::uint8_t skirmora_asset_pack_data_begin[];
extern "C" const std::uint8_t skirmora_asset_pack_data_end[];

namespace assets {
namespace {

bool SameLetters(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 32);
    if (x != y) return false;
  }
  return true;
}

}  // namespace

const std::vector<Entry>& All() {
  static const std::vector<Entry> entries = [] {
    std::span<const std::uint8_t> pack(skirmora_asset_pack_data_begin,
                                       skirmora_asset_pack_data_end);
    auto files = ReadPack(pack);
    if (!files) {
      // The pack is part of the program file; a damaged one means a broken build.
      std::fputs("skirmora: the program's built-in assets are damaged; rebuild the program\n",
                 stderr);
      std::abort();
    }
    std::vector<Entry> list;
    for (auto& [name, bytes] : *files) list.push_back({name, bytes});
    return list;
  }();
  return entries;
}

std::span<const std::uint8_t> File(std::string_view name) {
  for (const Entry& e : All())
    if (SameLetters(e.name, name)) return e.bytes;
  return {};
}

std::span<const std::uint8_t> Sound(std::string_view resourceName) {
  return File(std::string(resourceName) + ".wav");
}

std::string String(int id) {
  static const std::map<int, std::string> table = [] {
    std::map<int, std::string> t;
    auto bytes = File("strings.txt");
    std::string text(bytes.begin(), bytes.end());
    std::size_t at = 0;
    while (at < text.size()) {
      std::size_t end = text.find('\n', at);
      if (end == std::string::npos) end = text.size();
      std::string line = text.substr(at, end - at);
      at = end + 1;
      std::size_t tab = line.find('\t');
      if (line.empty() || line[0] == '#' || tab == std::string::npos) continue;
      t[std::atoi(line.substr(0, tab).c_str())] = line.substr(tab + 1);
    }
    return t;
  }();
  auto it = table.find(id);
  return it == table.end() ? std::string() : it->second;
}

const host::Surface& Picture(std::string_view name) {
  static std::map<std::string, std::unique_ptr<host::Surface>, std::less<>> cache;
  auto it = cache.find(name);
  if (it != cache.end()) return *it->second;
  auto decoded = host::DecodeBmp(File(std::string(name) + ".bmp"));
  auto surface = std::make_unique<host::Surface>(decoded ? std::move(*decoded) : host::Surface());
  return *cache.emplace(std::string(name), std::move(surface)).first->second;
}

const CursorImage& Cursor(std::string_view name) {
  // Cursor pictures mark their transparent pixels in magenta.
  constexpr host::Color kTransparent = host::Rgb(255, 0, 255);
  static std::map<std::string, std::unique_ptr<CursorImage>, std::less<>> cache;
  auto it = cache.find(name);
  if (it != cache.end()) return *it->second;
  auto cursor = std::make_unique<CursorImage>();
  cursor->image = Picture(std::string(name) + "Cursor");
  const int w = cursor->image.Width(), h = cursor->image.Height();
  cursor->transparent.resize(static_cast<std::size_t>(w) * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      cursor->transparent[static_cast<std::size_t>(y) * w + x] =
          cursor->image.GetPixel(x, y) == kTransparent;
  if (name == "Hand") cursor->hotX = 5, cursor->hotY = 0;
  return *cache.emplace(std::string(name), std::move(cursor)).first->second;
}

Version ProgramVersion() {
  // "FileVersion=1.01.0027" reads as major 1, minor 1, revision 27.
  auto bytes = File("version.txt");
  const std::string text(bytes.begin(), bytes.end());
  const std::size_t at = text.find("FileVersion=");
  Version v;
  if (at != std::string::npos &&
      std::sscanf(text.c_str() + at, "FileVersion=%d.%d.%d", &v.major, &v.minor, &v.revision) == 3)
    return v;
  return {};
}

}  // namespace assets
