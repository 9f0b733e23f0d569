#pragma once
// Windows icon files (.ico) with palette images.
#include <cstdint>
#include <vector>

#include "host/Surface.h"

namespace art {

struct IcoImage {
  host::Surface image;  // square, at most 256 pixels; pure black pixels are transparent
  int bitsPerPixel;     // 4 (the 16 standard colours) or 8 (a fixed 256-colour palette)
};

// The complete file: directory, then each image as a palette bitmap with its AND mask.
std::vector<std::uint8_t> EncodeIco(const std::vector<IcoImage>& images);

}  // namespace art
