#pragma once
#include <cstdint>

#include "host/DisplayModes.h"

namespace platform {

// Switches the screen to a size and colour depth for as long as the object lives, and
// puts back the mode it found when it is destroyed.
class BCResolution {
 public:
  // Remembers the screen's current mode (zeros when it cannot be read).
  explicit BCResolution(host::DisplayModes& display);
  // Restores the remembered mode if SetScreenResolution was ever called.
  ~BCResolution();
  BCResolution(const BCResolution&) = delete;
  BCResolution& operator=(const BCResolution&) = delete;

  // True when the display accepted the mode. A depth of 0 keeps the current one. 32 bits
  // are tried as 24 first and 24 bits fall back to 32, since displays name the same
  // depth either way; any other refusal ends the attempt.
  bool SetScreenResolution(std::int32_t width, std::int32_t height, std::int32_t color = 0);

 private:
  host::DisplayModes& display_;
  host::DisplayMode saved_;
  bool changed_ = false;
};

}  // namespace platform
