#pragma once
#include <SDL.h>

#include "host/JoystickDevices.h"

namespace host::sdl {

// The joysticks and gamepads SDL finds, through its joystick API (not the game-controller
// mapping: the game wants raw buttons, numbered as the device numbers them).
class SdlJoysticks final : public JoystickDevices {
 public:
  SdlJoysticks();
  ~SdlJoysticks() override;
  SdlJoysticks(const SdlJoysticks&) = delete;
  SdlJoysticks& operator=(const SdlJoysticks&) = delete;

  std::vector<JoystickInfo> Attached() override;
  std::unique_ptr<OpenJoystick> Open(std::int64_t id) override;

  static bool IsJoystickEvent(Uint32 type);
  // Turns one of SDL's joystick events into a notification of the listeners.
  void Handle(const SDL_Event& e);

 private:
  bool started_ = false;
};

}  // namespace host::sdl
