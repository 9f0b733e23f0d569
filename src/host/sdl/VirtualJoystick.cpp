#include "host/sdl/VirtualJoystick.h"

#include <SDL.h>

#include <algorithm>

#include "host/JoystickDevices.h"

namespace host::sdl {
namespace {

SDL_Joystick* Handle(void* p) {
  return static_cast<SDL_Joystick*>(p);
}

Sint16 SdlAxis(std::int32_t raw) {
  return static_cast<Sint16>(std::clamp(raw, kAxisMin, kAxisMax) - 32768);
}

}  // namespace

VirtualJoystick::VirtualJoystick(const std::string& name, int buttons) {
  // Made before the back end starts, SDL would otherwise take the quit signals that the
  // back end handles itself.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  subsystem_ = SDL_InitSubSystem(SDL_INIT_JOYSTICK) == 0;
  if (!subsystem_) return;
  SDL_VirtualJoystickDesc desc;
  SDL_zero(desc);
  desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
  desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
  desc.naxes = 2;
  desc.nhats = 1;
  desc.nbuttons = static_cast<Uint16>(std::clamp(buttons, 0, 64));
  desc.name = name.c_str();
  const int index = SDL_JoystickAttachVirtualEx(&desc);
  if (index < 0) return;
  SDL_Joystick* j = SDL_JoystickOpen(index);
  if (j == nullptr) {
    SDL_JoystickDetachVirtual(index);
    return;
  }
  handle_ = j;
  // The stick rests in the middle, as a real one does.
  SDL_JoystickSetVirtualAxis(j, 0, 0);
  SDL_JoystickSetVirtualAxis(j, 1, 0);
}

VirtualJoystick::~VirtualJoystick() {
  Unplug();
  if (subsystem_) SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
}

void VirtualJoystick::SetAxes(std::int32_t x, std::int32_t y) {
  if (handle_ == nullptr) return;
  SDL_JoystickSetVirtualAxis(Handle(handle_), 0, SdlAxis(x));
  SDL_JoystickSetVirtualAxis(Handle(handle_), 1, SdlAxis(y));
}

void VirtualJoystick::SetButton(int button, bool down) {
  if (handle_ == nullptr || button < 1) return;
  SDL_JoystickSetVirtualButton(Handle(handle_), button - 1, down ? SDL_PRESSED : SDL_RELEASED);
}

void VirtualJoystick::SetHat(int dx, int dy) {
  if (handle_ == nullptr) return;
  const Uint8 x = dx < 0 ? SDL_HAT_LEFT : dx > 0 ? SDL_HAT_RIGHT : 0;
  const Uint8 y = dy < 0 ? SDL_HAT_UP : dy > 0 ? SDL_HAT_DOWN : 0;
  SDL_JoystickSetVirtualHat(Handle(handle_), 0, static_cast<Uint8>(x | y));
}

void VirtualJoystick::Unplug() {
  if (handle_ == nullptr) return;
  // Detach by the device's current index: earlier devices may have gone since it came.
  const SDL_JoystickID id = SDL_JoystickInstanceID(Handle(handle_));
  SDL_JoystickClose(Handle(handle_));
  handle_ = nullptr;
  for (int i = 0; i < SDL_NumJoysticks(); ++i) {
    if (SDL_JoystickGetDeviceInstanceID(i) == id && SDL_JoystickIsVirtual(i)) {
      SDL_JoystickDetachVirtual(i);
      return;
    }
  }
}

}  // namespace host::sdl
