#pragma once
#include <cstdint>

#include "host/Color.h"

namespace shell {

// Colours as the controls store them: 0x00BBGGRR, or with the top bit set a system colour
// whose index is the low byte.
using OleColor = std::uint32_t;

constexpr OleColor OleRgb(int r, int g, int b) {
  return static_cast<OleColor>(r & 0xFF) | (static_cast<OleColor>(g & 0xFF) << 8) |
         (static_cast<OleColor>(b & 0xFF) << 16);
}
constexpr OleColor kSysButtonFace = 0x8000000F;
constexpr OleColor kSysButtonShadow = 0x80000010;
constexpr OleColor kSysButtonText = 0x80000012;

// The classic desktop scheme for the system colours the program uses.
constexpr host::Color ToRgb(OleColor c) {
  if (c & 0x80000000u) {
    // clang-format off
    switch (c & 0xFF) {
      case 15: return host::Rgb(192, 192, 192);  // button face
      case 16: return host::Rgb(128, 128, 128);  // button shadow
      case 18: return host::Rgb(0, 0, 0);        // button text
      case 20: return host::Rgb(255, 255, 255);  // button highlight
      default: return host::Rgb(0, 0, 0);
    }
    // clang-format on
  }
  return host::Rgb(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                   static_cast<int>((c >> 16) & 0xFF));
}

}  // namespace shell
