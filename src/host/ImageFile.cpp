#include "host/ImageFile.h"

#include <zlib.h>

#include <cstdio>
#include <new>

namespace host {
namespace {

void Put16(std::vector<std::uint8_t>& out, unsigned v) {
  out.push_back(v & 0xFF);
  out.push_back((v >> 8) & 0xFF);
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back((v >> (8 * i)) & 0xFF);
}
void Put32Be(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int i = 3; i >= 0; --i) out.push_back((v >> (8 * i)) & 0xFF);
}
std::uint32_t Get16(std::span<const std::uint8_t> b, std::size_t at) {
  return b[at] | (b[at + 1] << 8);
}
std::uint32_t Get32(std::span<const std::uint8_t> b, std::size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) |
         (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

void PngChunk(std::vector<std::uint8_t>& out, const char* type,
              const std::vector<std::uint8_t>& data) {
  Put32Be(out, static_cast<std::uint32_t>(data.size()));
  std::size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  Put32Be(out, static_cast<std::uint32_t>(
                   crc32(0, out.data() + start, static_cast<uInt>(out.size() - start))));
}

}  // namespace

std::vector<std::uint8_t> EncodeBmp(const Surface& image) {
  const int w = image.Width(), h = image.Height();
  const std::uint32_t stride = (static_cast<std::uint32_t>(w) * 3 + 3) & ~3u;
  const std::uint32_t dataSize = stride * static_cast<std::uint32_t>(h);
  std::vector<std::uint8_t> out;
  out.reserve(54 + dataSize);
  out.push_back('B'), out.push_back('M');
  Put32(out, 54 + dataSize), Put32(out, 0), Put32(out, 54);
  Put32(out, 40);
  Put32(out, static_cast<std::uint32_t>(w)), Put32(out, static_cast<std::uint32_t>(h));
  Put16(out, 1), Put16(out, 24), Put32(out, 0), Put32(out, dataSize);
  Put32(out, 3780), Put32(out, 3780), Put32(out, 0), Put32(out, 0);  // 96 dpi
  for (int y = h - 1; y >= 0; --y) {
    for (int x = 0; x < w; ++x) {
      Color c = image.GetPixel(x, y);
      out.push_back(BlueOf(c)), out.push_back(GreenOf(c)), out.push_back(RedOf(c));
    }
    for (std::uint32_t pad = static_cast<std::uint32_t>(w) * 3; pad < stride; ++pad)
      out.push_back(0);
  }
  return out;
}

std::optional<Surface> DecodeBmp(std::span<const std::uint8_t> b) {
  if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') return std::nullopt;
  const std::uint32_t offset = Get32(b, 10);
  const std::uint32_t headerSize = Get32(b, 14);
  if (headerSize < 40) return std::nullopt;
  const auto w = static_cast<std::int32_t>(Get32(b, 18));
  const auto h = static_cast<std::int32_t>(Get32(b, 22));
  if (w <= 0 || h <= 0 || w > 16384 || h > 16384) return std::nullopt;
  if (Get16(b, 28) != 24 || Get32(b, 30) != 0) return std::nullopt;
  const std::size_t stride = (static_cast<std::size_t>(w) * 3 + 3) & ~std::size_t{3};
  // The pixels start after the headers and must all lie inside the file.
  if (offset < 14 + std::size_t{headerSize} || offset > b.size() ||
      (b.size() - offset) / stride < static_cast<std::size_t>(h))
    return std::nullopt;
  Surface image(w, h);
  for (int row = 0; row < h; ++row) {
    const int y = h - 1 - row;
    const std::size_t at = offset + static_cast<std::size_t>(row) * stride;
    for (int x = 0; x < w; ++x) {
      const std::size_t p = at + static_cast<std::size_t>(x) * 3;
      image.Pixels()[static_cast<std::size_t>(y) * w + x] = Rgb(b[p + 2], b[p + 1], b[p]);
    }
  }
  return image;
}

std::vector<std::uint8_t> EncodePng(const Surface& image, std::span<const std::uint8_t> alpha) {
  const int w = image.Width(), h = image.Height();
  const bool withAlpha = alpha.size() == static_cast<std::size_t>(w) * static_cast<std::size_t>(h);
  const std::size_t channels = withAlpha ? 4 : 3;
  std::vector<std::uint8_t> raw;
  raw.reserve(static_cast<std::size_t>(h) * (1 + channels * static_cast<std::size_t>(w)));
  for (int y = 0; y < h; ++y) {
    raw.push_back(0);  // no filter
    for (int x = 0; x < w; ++x) {
      Color c = image.GetPixel(x, y);
      raw.push_back(RedOf(c)), raw.push_back(GreenOf(c)), raw.push_back(BlueOf(c));
      if (withAlpha) raw.push_back(alpha[static_cast<std::size_t>(y) * w + x]);
    }
  }
  // Best compression: these files are made once, at build time, and installed everywhere.
  uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
  std::vector<std::uint8_t> z(packedSize);
  if (compress2(z.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()),
                Z_BEST_COMPRESSION) != Z_OK)
    throw std::bad_alloc();  // with a buffer of compressBound's size, only memory can run out
  z.resize(packedSize);

  std::vector<std::uint8_t> out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<std::uint8_t> ihdr;
  Put32Be(ihdr, static_cast<std::uint32_t>(w)), Put32Be(ihdr, static_cast<std::uint32_t>(h));
  ihdr.insert(ihdr.end(), {8, static_cast<std::uint8_t>(withAlpha ? 6 : 2), 0, 0, 0});
  PngChunk(out, "IHDR", ihdr);
  PngChunk(out, "IDAT", z);
  PngChunk(out, "IEND", {});
  return out;
}

bool WriteFileBytes(const std::string& path, std::span<const std::uint8_t> bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  ok = (std::fclose(f) == 0) && ok;
  return ok;
}

}  // namespace host
