#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "host/Surface.h"

namespace host {

// Uncompressed 24-bit BMP, bottom-up rows, the format every image tool opens.
std::vector<std::uint8_t> EncodeBmp(const Surface& image);
// Reads what EncodeBmp writes (the only pictures the program loads are its own); nothing for
// any other kind of BMP or a damaged file.
std::optional<Surface> DecodeBmp(std::span<const std::uint8_t> bytes);
// PNG, 8-bit RGB, or RGBA when `alpha` holds one opacity a pixel (row-major), compressed
// with zlib.
std::vector<std::uint8_t> EncodePng(const Surface& image, std::span<const std::uint8_t> alpha = {});

// Writes the bytes to the file; false (with errno set) when that failed.
bool WriteFileBytes(const std::string& path, std::span<const std::uint8_t> bytes);

}  // namespace host
