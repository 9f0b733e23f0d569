// Pictures read from BMP files (the review tools and tests load them): any bytes must be
// refused or decoded without a read outside them, and what decodes must survive a write and
// a second read pixel for pixel.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <span>

#include "host/ImageFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::optional<host::Surface> image = host::DecodeBmp(std::span(data, size));
  if (!image) return 0;
  const std::optional<host::Surface> again = host::DecodeBmp(host::EncodeBmp(*image));
  if (!again || !(*again == *image)) std::abort();
  return 0;
}
