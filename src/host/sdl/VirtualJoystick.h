#pragma once
#include <cstdint>
#include <string>

namespace host::sdl {

// A joystick that exists only inside this process, made through SDL's virtual joystick
// API: how tests and the real-window check play with a stick on a machine that has none.
// It looks to the SDL back end like any device plugged in. Axes take the back end's raw
// readings (0..65535, host/JoystickDevices.h). Safe to move from another thread.
class VirtualJoystick {
 public:
  // Plugs it in; Attached() tells whether SDL accepted it.
  VirtualJoystick(const std::string& name, int buttons);
  ~VirtualJoystick();  // unplugs it
  VirtualJoystick(const VirtualJoystick&) = delete;
  VirtualJoystick& operator=(const VirtualJoystick&) = delete;

  bool Attached() const { return handle_ != nullptr; }
  void SetAxes(std::int32_t x, std::int32_t y);
  // Buttons count from 1.
  void SetButton(int button, bool down);
  // The D-pad: -1 left (up), 0 centred, 1 right (down) on each axis.
  void SetHat(int dx, int dy);
  void Unplug();

 private:
  void* handle_ = nullptr;  // the SDL_Joystick, kept out of this header
  bool subsystem_ = false;
};

}  // namespace host::sdl
