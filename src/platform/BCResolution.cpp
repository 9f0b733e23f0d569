#include "platform/BCResolution.h"

namespace platform {

BCResolution::BCResolution(host::DisplayModes& display)
    : display_(display), saved_(display.CurrentMode().value_or(host::DisplayMode{})) {}

BCResolution::~BCResolution() {
  if (changed_) SetScreenResolution(saved_.width, saved_.height, saved_.bitsPerPixel);
}

bool BCResolution::SetScreenResolution(std::int32_t width, std::int32_t height,
                                       std::int32_t color) {
  // Even a switch that fails must be undone at the end: it may have half happened.
  changed_ = true;
  const host::DisplayMode current = display_.CurrentMode().value_or(host::DisplayMode{});
  // Without a depth the request leaves the depth out, and the display keeps its own.
  const bool withDepth = color != 0;
  std::int32_t bits = withDepth ? (color == 32 ? 24 : color) : current.bitsPerPixel;
  auto request = [&] { return host::DisplayMode{width, height, withDepth ? bits : 0}; };
  host::ModeChange result = display_.SetMode(request());
  if (bits == 24 && result == host::ModeChange::BadMode) {
    bits = 32;
    result = display_.SetMode(request());
  }
  return result == host::ModeChange::Successful;
}

}  // namespace platform
