#pragma once
#include <cstdint>

namespace platform {

// Switches the display mode for as long as the object lives.
//
// Stand-in until display modes are built: the game window already covers the screen with
// its 640 x 480 field scaled up, so the switch reports success and changes nothing.
class BCResolution {
 public:
  bool SetScreenResolution(std::int32_t width, std::int32_t height, std::int32_t color = 0) {
    changed_ = true;
    return width > 0 && height > 0 && color >= 0;
  }
  bool Changed() const { return changed_; }

 private:
  bool changed_ = false;
};

}  // namespace platform
