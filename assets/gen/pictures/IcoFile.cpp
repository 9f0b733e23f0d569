#include "pictures/IcoFile.h"

#include <stdexcept>

namespace art {

namespace {

// The 16 colours every display shows the same way.
std::vector<host::Color> StandardPalette16() {
  return {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
          0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
}

// A 6 x 6 x 6 colour cube and 40 extra greys: fixed, so the file never depends on the image.
std::vector<host::Color> Palette256() {
  std::vector<host::Color> palette;
  for (int r = 0; r < 6; ++r)
    for (int g = 0; g < 6; ++g)
      for (int b = 0; b < 6; ++b) palette.push_back(host::Rgb(r * 51, g * 51, b * 51));
  for (int i = 1; i <= 40; ++i) {
    const int v = i * 255 / 41;
    palette.push_back(host::Rgb(v, v, v));
  }
  return palette;
}

std::uint8_t Nearest(const std::vector<host::Color>& palette, host::Color c) {
  int best = 0;
  long bestDistance = -1;
  for (std::size_t i = 0; i < palette.size(); ++i) {
    const long dr = host::RedOf(c) - host::RedOf(palette[i]);
    const long dg = host::GreenOf(c) - host::GreenOf(palette[i]);
    const long db = host::BlueOf(c) - host::BlueOf(palette[i]);
    const long distance = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
    if (bestDistance < 0 || distance < bestDistance)
      bestDistance = distance, best = static_cast<int>(i);
  }
  return static_cast<std::uint8_t>(best);
}

void Put16(std::vector<std::uint8_t>& out, unsigned v) {
  out.push_back(v & 0xFF), out.push_back((v >> 8) & 0xFF);
}
void Put32(std::vector<std::uint8_t>& out, unsigned v) {
  Put16(out, v & 0xFFFF), Put16(out, v >> 16);
}

// BITMAPINFOHEADER, palette, colour rows and AND-mask rows, both bottom-up and padded to
// 4 bytes; the header's height counts both halves.
std::vector<std::uint8_t> IconBitmap(const IcoImage& icon) {
  const host::Surface& image = icon.image;
  const int size = image.Width(), bpp = icon.bitsPerPixel;
  const std::vector<host::Color> palette = bpp == 4 ? StandardPalette16() : Palette256();
  const int colourStride = (size * bpp + 31) / 32 * 4, maskStride = (size + 31) / 32 * 4;
  std::vector<std::uint8_t> out;
  Put32(out, 40), Put32(out, size), Put32(out, 2 * size), Put16(out, 1), Put16(out, bpp);
  Put32(out, 0), Put32(out, (colourStride + maskStride) * size), Put32(out, 0), Put32(out, 0);
  Put32(out, static_cast<unsigned>(palette.size())), Put32(out, 0);
  for (host::Color c : palette)
    out.push_back(host::BlueOf(c)), out.push_back(host::GreenOf(c)), out.push_back(host::RedOf(c)),
        out.push_back(0);
  for (int y = size - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(colourStride, 0);
    for (int x = 0; x < size; ++x) {
      const std::uint8_t index = Nearest(palette, image.GetPixel(x, y));
      if (bpp == 8)
        row[x] = index;
      else
        row[x / 2] |= static_cast<std::uint8_t>(x % 2 == 0 ? index << 4 : index);
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  for (int y = size - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(maskStride, 0);
    for (int x = 0; x < size; ++x)
      if (image.GetPixel(x, y) == host::kBlack)
        row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

}  // namespace

std::vector<std::uint8_t> EncodeIco(const std::vector<IcoImage>& images) {
  std::vector<std::uint8_t> out;
  Put16(out, 0), Put16(out, 1), Put16(out, static_cast<unsigned>(images.size()));
  std::vector<std::vector<std::uint8_t>> bitmaps;
  for (const IcoImage& icon : images) {
    const int size = icon.image.Width();
    if (size != icon.image.Height() || size < 1 || size > 256 ||
        (icon.bitsPerPixel != 4 && icon.bitsPerPixel != 8))
      throw std::invalid_argument("icon images must be square, 1 to 256 pixels, 4 or 8 bits");
    bitmaps.push_back(IconBitmap(icon));
  }
  unsigned offset = 6 + 16 * static_cast<unsigned>(images.size());
  for (std::size_t i = 0; i < images.size(); ++i) {
    const int size = images[i].image.Width();
    out.push_back(size == 256 ? 0 : size), out.push_back(size == 256 ? 0 : size);
    out.push_back(images[i].bitsPerPixel == 4 ? 16 : 0), out.push_back(0);
    Put16(out, 1), Put16(out, images[i].bitsPerPixel);
    Put32(out, static_cast<unsigned>(bitmaps[i].size())), Put32(out, offset);
    offset += static_cast<unsigned>(bitmaps[i].size());
  }
  for (const auto& bitmap : bitmaps) out.insert(out.end(), bitmap.begin(), bitmap.end());
  return out;
}

}  // namespace art
