#pragma once
#include <array>
#include <cstdint>

namespace platform {

// The joystick service.
//
// Stand-in until joysticks are built: it finds no joystick, so the keyboard steers.
class BCDirectInput {
 public:
  std::int32_t JoystickX = 0;
  std::int32_t JoystickY = 0;

  void SelectJoystick(std::int32_t /*joystickNumber*/ = 0) {}
  // False: no joystick is selected, and the array is left as it was.
  bool GetButtonState(std::array<bool, 13>& /*buttons*/) { return false; }
  void DirectXEvent_DXCallback(std::int32_t /*eventid*/) {}
};

}  // namespace platform
