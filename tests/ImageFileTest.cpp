#include <gtest/gtest.h>

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "SurfaceTesting.h"
#include "TempFolder.h"
#include "host/ImageFile.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using host::DecodeBmp;
using host::Surface;
using testing_surfaces::Numbered;

void SetLe32(Bytes& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}
void SetLe16(Bytes& b, std::size_t at, std::uint32_t v) {
  b[at] = static_cast<std::uint8_t>(v), b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

TEST(BmpFile, RoundTripsEveryRowPadding) {
  for (int width = 1; width <= 4; ++width) {
    const Surface image = Numbered(width, 3, 0x5A);
    const Bytes file = host::EncodeBmp(image);
    const std::size_t stride = (width * 3 + 3) / 4 * 4;
    ASSERT_EQ(file.size(), 54 + stride * 3);
    for (int row = 0; row < 3; ++row)  // the padding at the end of each row is zero
      for (std::size_t pad = width * 3; pad < stride; ++pad)
        EXPECT_EQ(file[54 + row * stride + pad], 0) << width;
    EXPECT_EQ(DecodeBmp(file), image) << width;
  }
}

// Only what the writer writes is read: other kinds of BMP, every truncation and hostile
// headers are refused.
TEST(BmpFile, RejectsOtherKindsTruncationsAndHostileHeaders) {
  const Bytes good = host::EncodeBmp(Numbered(4, 3, 1));
  ASSERT_TRUE(DecodeBmp(good).has_value());
  for (std::size_t size = 0; size < good.size(); ++size)
    EXPECT_FALSE(DecodeBmp(Bytes(good.begin(), good.begin() + size)).has_value()) << size;
  struct Damage {
    const char* what;
    std::size_t at;
    std::uint32_t value;
  };
  const Damage damages[] = {
      {"wrong signature", 0, 0x4D43},
      {"32 bits a pixel", 28, 32},
      {"run-length coded", 30, 1},
      {"top-down rows", 22, static_cast<std::uint32_t>(-3)},
      {"width * height overflows 32 bits", 18, 65536},
      {"huge width and height", 22, 16384},
      {"width INT_MAX", 18, INT_MAX},
      {"negative width", 18, static_cast<std::uint32_t>(-4)},
      {"zero height", 22, 0},
      {"height INT_MIN", 22, static_cast<std::uint32_t>(INT_MIN)},
      {"pixel offset past the end", 10, 0xFFFFFFF0},
      {"pixel offset just past the end", 10, static_cast<std::uint32_t>(good.size() + 1)},
      {"pixel offset inside the header", 10, 20},
      {"pixel offset leaves too few rows", 10, 60},
      {"header size past the end", 14, 0xFFFFFFFF},
      {"header too small", 14, 12},
  };
  for (const Damage& d : damages) {
    Bytes bad = good;
    d.at == 0 || d.at == 28 ? SetLe16(bad, d.at, d.value) : SetLe32(bad, d.at, d.value);
    EXPECT_FALSE(DecodeBmp(bad).has_value()) << d.what;
  }
}

// The raw bytes ImageMagick reads from an image file, in `format` ("rgb" or "rgba"); nothing
// if it is not installed.
std::optional<Bytes> ReadWithImageMagick(const std::string& path, const char* format = "rgb") {
  if (std::system("command -v convert >/dev/null 2>&1") != 0) return std::nullopt;
  const std::string command = "convert '" + path + "' -depth 8 " + format + ":- 2>/dev/null";
  std::FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return std::nullopt;
  Bytes out;
  for (int c; (c = std::fgetc(pipe)) != EOF;) out.push_back(static_cast<std::uint8_t>(c));
  EXPECT_EQ(pclose(pipe), 0) << command;
  return out;
}

// The pixels of `image` as bytes, with `alpha` after each one's red, green and blue if given.
Bytes RawPixels(const Surface& image, const Bytes& alpha = {}) {
  Bytes raw;
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x) {
      const host::Color c = image.GetPixel(x, y);
      raw.insert(raw.end(), {static_cast<std::uint8_t>(host::RedOf(c)),
                             static_cast<std::uint8_t>(host::GreenOf(c)),
                             static_cast<std::uint8_t>(host::BlueOf(c))});
      if (!alpha.empty()) raw.push_back(alpha[static_cast<std::size_t>(y * image.Width() + x)]);
    }
  return raw;
}

TEST(ImageFileOnDisk, ImageMagickReadsTheSamePixelsAndOpacities) {
  const Surface image = Numbered(13, 5, 0x42);
  Bytes opacity(13 * 5);
  for (std::size_t i = 0; i < opacity.size(); ++i) opacity[i] = static_cast<std::uint8_t>(13 * i);
  const Bytes cut(opacity.begin(), opacity.end() - 1);  // one short: no alpha, no read past it
  const TempFolder folder;
  const struct {
    const char* name;
    Bytes bytes;
    const char* format;
    Bytes want;
  } files[] = {{"plain.png", host::EncodePng(image), "rgb", RawPixels(image)},
               {"plain.bmp", host::EncodeBmp(image), "rgb", RawPixels(image)},
               {"alpha.png", host::EncodePng(image, opacity), "rgba", RawPixels(image, opacity)},
               {"short.png", host::EncodePng(image, cut), "rgba",
                RawPixels(image, Bytes(opacity.size(), 255))}};
  errno = 0;
  EXPECT_FALSE(host::WriteFileBytes(folder / "no-such-folder/x.png", files[0].bytes));
  EXPECT_EQ(errno, ENOENT);
  for (const auto& file : files) {
    ASSERT_TRUE(host::WriteFileBytes(folder / file.name, file.bytes));
    const std::optional<Bytes> read = ReadWithImageMagick(folder / file.name, file.format);
    if (!read) GTEST_SKIP() << "ImageMagick's convert is not installed";
    EXPECT_EQ(*read, file.want) << file.name;
  }
  // Compressed, not merely wrapped: an even picture takes a small fraction of its pixels.
  EXPECT_LT(host::EncodePng(Surface(256, 256, 0x0A141E)).size(), 256u * 256u * 3u / 100u);
}

}  // namespace
