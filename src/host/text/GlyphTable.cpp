#include "host/text/GlyphTable.h"

#include <cstring>
#include <string>
#include <unordered_map>

namespace host {
namespace {

constexpr char kMagic[] = "SKGLYPH1";
constexpr std::size_t kFaceSize = 1 + 1 + 2 + 2 + 2 + 4 + 4;
constexpr std::size_t kRecordSize = 4 + 2 + 2 + 2 + 2 + 2 + 1 + 1 + 4;

void Put(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

std::uint32_t Get(std::span<const std::uint8_t> bytes, std::size_t at, int size) {
  std::uint32_t value = 0;
  for (int i = 0; i < size; ++i) value |= static_cast<std::uint32_t>(bytes[at + i]) << (8 * i);
  return value;
}

int Signed16(std::uint32_t value) {
  return static_cast<std::int16_t>(value);
}

struct Record {
  char32_t cp;
  Glyph glyph;
  std::uint32_t offset;
};

Record RecordAt(std::span<const std::uint8_t> records, std::size_t n) {
  const std::size_t at = n * kRecordSize;
  Record r{Get(records, at, 4), {}, Get(records, at + 16, 4)};
  r.glyph.left = Signed16(Get(records, at + 4, 2));
  r.glyph.top = Signed16(Get(records, at + 6, 2));
  r.glyph.width = static_cast<int>(Get(records, at + 8, 2));
  r.glyph.rows = static_cast<int>(Get(records, at + 10, 2));
  r.glyph.advance = Signed16(Get(records, at + 12, 2));
  r.glyph.own = records[at + 14] != 0;
  return r;
}

}  // namespace

std::vector<std::uint8_t> WriteGlyphTable(const std::vector<TableFace>& faces) {
  std::vector<std::uint8_t> out(kMagic, kMagic + 8);
  Put(out, static_cast<std::uint32_t>(faces.size()), 4);
  std::size_t records = 0;
  for (const TableFace& f : faces) records += f.glyphs.size();
  std::uint32_t recordAt = static_cast<std::uint32_t>(12 + faces.size() * kFaceSize);
  // Coverage that recurs (the replacement box stands for every character a face lacks) is
  // kept once.
  std::vector<std::uint8_t> coverage;
  std::unordered_map<std::string, std::uint32_t> placed;
  const std::size_t coverageAt = recordAt + records * kRecordSize;
  for (const TableFace& f : faces) {
    Put(out, f.key.bold, 1);
    Put(out, f.key.italic, 1);
    Put(out, static_cast<std::uint32_t>(f.key.pixels), 2);
    Put(out, static_cast<std::uint32_t>(f.ascent), 2);
    Put(out, static_cast<std::uint32_t>(f.descent), 2);
    Put(out, static_cast<std::uint32_t>(f.glyphs.size()), 4);
    Put(out, recordAt, 4);
    recordAt += static_cast<std::uint32_t>(f.glyphs.size() * kRecordSize);
  }
  for (const TableFace& f : faces)
    for (const auto& [cp, rendered] : f.glyphs) {
      const Glyph& g = rendered.glyph;
      Put(out, cp, 4);
      for (const int v : {g.left, g.top, g.width, g.rows, g.advance})
        Put(out, static_cast<std::uint32_t>(v), 2);
      Put(out, g.own, 1);
      Put(out, 0, 1);
      auto [at, added] = placed.emplace(std::string(rendered.pixels.begin(), rendered.pixels.end()),
                                        static_cast<std::uint32_t>(coverageAt + coverage.size()));
      if (added) coverage.insert(coverage.end(), rendered.pixels.begin(), rendered.pixels.end());
      Put(out, at->second, 4);
    }
  out.insert(out.end(), coverage.begin(), coverage.end());
  return out;
}

std::optional<GlyphTable> GlyphTable::Read(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < 12 || std::memcmp(bytes.data(), kMagic, 8) != 0) return std::nullopt;
  GlyphTable table;
  table.bytes_ = bytes;
  const std::size_t count = Get(bytes, 8, 4);
  if ((bytes.size() - 12) / kFaceSize < count) return std::nullopt;
  for (std::size_t n = 0; n < count; ++n) {
    const std::size_t at = 12 + n * kFaceSize;
    Face face;
    face.key = {bytes[at] != 0, bytes[at + 1] != 0, static_cast<int>(Get(bytes, at + 2, 2))};
    face.ascent = Signed16(Get(bytes, at + 4, 2));
    face.descent = Signed16(Get(bytes, at + 6, 2));
    const std::size_t glyphs = Get(bytes, at + 8, 4), first = Get(bytes, at + 12, 4);
    if (first > bytes.size() || (bytes.size() - first) / kRecordSize < glyphs) return std::nullopt;
    face.records = bytes.subspan(first, glyphs * kRecordSize);
    for (std::size_t g = 0; g < glyphs; ++g) {
      const Record r = RecordAt(face.records, g);
      const std::size_t size = static_cast<std::size_t>(r.glyph.width) * r.glyph.rows;
      if (r.offset > bytes.size() || bytes.size() - r.offset < size) return std::nullopt;
      if (g > 0 && RecordAt(face.records, g - 1).cp >= r.cp) return std::nullopt;
    }
    table.faces_.push_back(face);
  }
  return table;
}

const GlyphTable::Face* GlyphTable::Find(const FaceKey& key) const {
  for (const Face& face : faces_)
    if (face.key == key) return &face;
  return nullptr;
}

std::optional<Glyph> GlyphTable::Find(const Face& face, char32_t cp) const {
  std::size_t low = 0, high = face.records.size() / kRecordSize;
  while (low < high) {
    const std::size_t mid = (low + high) / 2;
    const Record r = RecordAt(face.records, mid);
    if (r.cp == cp) {
      Glyph g = r.glyph;
      g.coverage = bytes_.subspan(r.offset, static_cast<std::size_t>(g.width) * g.rows);
      return g;
    }
    if (r.cp < cp)
      low = mid + 1;
    else
      high = mid;
  }
  return std::nullopt;
}

}  // namespace host
