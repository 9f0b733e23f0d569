#pragma once
#include <cstdint>

namespace platform {

// Receives the joystick service's change notifications. The game window is the receiver
// and hands each one back to the service, which then reads the device.
class DirectXEvent {
 public:
  virtual ~DirectXEvent() = default;
  virtual void DirectXEvent_DXCallback(std::int32_t eventid) = 0;
};

}  // namespace platform
