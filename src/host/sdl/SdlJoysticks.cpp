#include "host/sdl/SdlJoysticks.h"

#include <algorithm>
#include <cstdio>

namespace host::sdl {
namespace {

// SDL's axes run from -32768 to 32767, with 0 at rest.
std::int32_t RawAxis(SDL_Joystick* joystick, int axis) {
  if (axis >= SDL_JoystickNumAxes(joystick)) return kAxisRest;
  return static_cast<std::int32_t>(SDL_JoystickGetAxis(joystick, axis)) + 32768;
}

class SdlOpenJoystick final : public OpenJoystick {
 public:
  explicit SdlOpenJoystick(SDL_Joystick* joystick)
      : joystick_(joystick), id_(SDL_JoystickInstanceID(joystick)) {}
  ~SdlOpenJoystick() override { SDL_JoystickClose(joystick_); }
  SdlOpenJoystick(const SdlOpenJoystick&) = delete;
  SdlOpenJoystick& operator=(const SdlOpenJoystick&) = delete;

  std::int64_t Id() const override { return id_; }
  std::optional<JoystickState> Read() override {
    if (SDL_JoystickGetAttached(joystick_) != SDL_TRUE) return std::nullopt;
    JoystickState state;
    state.x = RawAxis(joystick_, 0);
    state.y = RawAxis(joystick_, 1);
    const int buttons = std::min(SDL_JoystickNumButtons(joystick_), 32);
    for (int b = 0; b < buttons; ++b)
      if (SDL_JoystickGetButton(joystick_, b) != 0) state.buttons |= 1u << b;
    return state;
  }

 private:
  SDL_Joystick* joystick_;
  std::int64_t id_;
};

}  // namespace

SdlJoysticks::SdlJoysticks() {
  // The game reads the stick for as long as its window is open, as a background reader
  // would; a game that loses the focus pauses anyway.
  SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
  started_ = SDL_InitSubSystem(SDL_INIT_JOYSTICK) == 0;
  // No joystick support on this machine is no joystick attached, not a failure.
  if (!started_) std::fprintf(stderr, "skirmora: no joysticks: %s\n", SDL_GetError());
}

SdlJoysticks::~SdlJoysticks() {
  if (started_) SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
}

std::vector<JoystickInfo> SdlJoysticks::Attached() {
  std::vector<JoystickInfo> list;
  if (!started_) return list;
  const int count = SDL_NumJoysticks();
  for (int i = 0; i < count; ++i) {
    // The button count is known only to an open device; opening it briefly is harmless.
    SDL_Joystick* j = SDL_JoystickOpen(i);
    if (j == nullptr) continue;
    const char* name = SDL_JoystickName(j);
    list.push_back({SDL_JoystickInstanceID(j), name ? name : "", SDL_JoystickNumButtons(j)});
    SDL_JoystickClose(j);
  }
  return list;
}

std::unique_ptr<OpenJoystick> SdlJoysticks::Open(std::int64_t id) {
  if (!started_) return nullptr;
  const int count = SDL_NumJoysticks();
  for (int i = 0; i < count; ++i) {
    if (SDL_JoystickGetDeviceInstanceID(i) != id) continue;
    SDL_Joystick* j = SDL_JoystickOpen(i);
    if (j == nullptr) return nullptr;
    return std::make_unique<SdlOpenJoystick>(j);
  }
  return nullptr;
}

bool SdlJoysticks::IsJoystickEvent(Uint32 type) {
  return type == SDL_JOYDEVICEADDED || type == SDL_JOYDEVICEREMOVED ||
         type == SDL_JOYAXISMOTION || type == SDL_JOYBUTTONDOWN || type == SDL_JOYBUTTONUP;
}

void SdlJoysticks::Handle(const SDL_Event& e) {
  switch (e.type) {
    case SDL_JOYDEVICEADDED:
      // This one names the device by its index; the others by its instance id.
      Notify(JoystickChange::Added, SDL_JoystickGetDeviceInstanceID(e.jdevice.which));
      break;
    case SDL_JOYDEVICEREMOVED:
      Notify(JoystickChange::Removed, e.jdevice.which);
      break;
    case SDL_JOYAXISMOTION:
      // Only the stick's two axes are read; other axes are no change to the game.
      if (e.jaxis.axis < 2) Notify(JoystickChange::Input, e.jaxis.which);
      break;
    case SDL_JOYBUTTONDOWN:
    case SDL_JOYBUTTONUP:
      Notify(JoystickChange::Input, e.jbutton.which);
      break;
    default:
      break;
  }
}

}  // namespace host::sdl
