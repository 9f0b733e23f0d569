#include "host/sdl/SdlJoysticks.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace host::sdl {
namespace {

// SDL's axes run from -32768 to 32767, with 0 at rest.
std::int32_t RawAxis(SDL_Joystick* joystick, int axis) {
  if (axis >= SDL_JoystickNumAxes(joystick)) return kAxisRest;
  return static_cast<std::int32_t>(SDL_JoystickGetAxis(joystick, axis)) + 32768;
}

// Within a tenth of its travel around the middle a stick is at rest: the game reads it so.
bool AtRest(std::int32_t raw) {
  return std::abs(raw - kAxisRest) <= (kAxisMax - kAxisRest) / 10;
}

// One axis of the first hat (a pad's D-pad): -1, 0 or 1.
int HatAxis(Uint8 hat, Uint8 negative, Uint8 positive) {
  return (hat & positive ? 1 : 0) - (hat & negative ? 1 : 0);
}

std::int32_t FullDeflection(int direction) {
  return direction < 0 ? kAxisMin : direction > 0 ? kAxisMax : kAxisRest;
}

// The stick, or, while it rests, the D-pad as if it were the stick pushed all the way.
void ReadPosition(SDL_Joystick* joystick, JoystickState& state) {
  state.x = RawAxis(joystick, 0);
  state.y = RawAxis(joystick, 1);
  if (SDL_JoystickNumHats(joystick) < 1 || !AtRest(state.x) || !AtRest(state.y)) return;
  const Uint8 hat = SDL_JoystickGetHat(joystick, 0);
  if (hat == SDL_HAT_CENTERED) return;
  state.x = FullDeflection(HatAxis(hat, SDL_HAT_LEFT, SDL_HAT_RIGHT));
  state.y = FullDeflection(HatAxis(hat, SDL_HAT_UP, SDL_HAT_DOWN));
}

}  // namespace

class SdlOpenJoystick final : public OpenJoystick {
 public:
  SdlOpenJoystick(SdlJoysticks& owner, SDL_Joystick* joystick)
      : owner_(owner), joystick_(joystick), id_(SDL_JoystickInstanceID(joystick)) {
    if (auto state = Current()) last = *state;
  }
  ~SdlOpenJoystick() override {
    owner_.Forget(this);
    SDL_JoystickClose(joystick_);
  }
  SdlOpenJoystick(const SdlOpenJoystick&) = delete;
  SdlOpenJoystick& operator=(const SdlOpenJoystick&) = delete;

  std::int64_t Id() const override { return id_; }
  std::optional<JoystickState> Read() override {
    // SDL's events are off, so nothing else brings its idea of the devices up to date.
    SDL_JoystickUpdate();
    return Current();
  }
  // The state as of SDL's last update.
  std::optional<JoystickState> Current() const {
    if (SDL_JoystickGetAttached(joystick_) != SDL_TRUE) return std::nullopt;
    JoystickState state;
    ReadPosition(joystick_, state);
    const int buttons = std::min(SDL_JoystickNumButtons(joystick_), 32);
    for (int b = 0; b < buttons; ++b)
      if (SDL_JoystickGetButton(joystick_, b) != 0) state.buttons |= 1u << b;
    return state;
  }

  JoystickState last;  // as told to the listeners

 private:
  SdlJoysticks& owner_;
  SDL_Joystick* joystick_;
  std::int64_t id_;
};

// SDL's joystick subsystem starts when the devices are first asked for or listened to, not
// with the program: looking for them (udev, the input devices) took a seventh of the CPU
// before the first window, for a player who may never use one. A stick plugged in before
// then is found as attached.
void SdlJoysticks::Start() {
  if (tried_) return;
  tried_ = true;
  // The game reads the stick for as long as its window is open, focused or not; a game
  // that loses the focus pauses anyway.
  SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
  started_ = SDL_InitSubSystem(SDL_INIT_JOYSTICK) == 0;
  // No joystick support on this machine is no joystick attached, not a failure.
  if (!started_) {
    std::fprintf(stderr, "skirmora: no joysticks: %s\n", SDL_GetError());
    return;
  }
  SDL_JoystickEventState(SDL_IGNORE);
  known_ = AttachedIds();
}

SdlJoysticks::~SdlJoysticks() {
  if (started_) SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
}

std::vector<SDL_JoystickID> SdlJoysticks::AttachedIds() const {
  std::vector<SDL_JoystickID> ids;
  const int count = SDL_NumJoysticks();
  for (int i = 0; i < count; ++i) ids.push_back(SDL_JoystickGetDeviceInstanceID(i));
  return ids;
}

std::vector<JoystickInfo> SdlJoysticks::Attached() {
  Start();
  std::vector<JoystickInfo> list;
  if (!started_) return list;
  SDL_JoystickUpdate();
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
  Start();
  if (!started_) return nullptr;
  const int count = SDL_NumJoysticks();
  for (int i = 0; i < count; ++i) {
    if (SDL_JoystickGetDeviceInstanceID(i) != id) continue;
    SDL_Joystick* j = SDL_JoystickOpen(i);
    if (j == nullptr) return nullptr;
    auto device = std::make_unique<SdlOpenJoystick>(*this, j);
    open_.push_back(device.get());
    return device;
  }
  return nullptr;
}

void SdlJoysticks::Forget(SdlOpenJoystick* device) {
  std::erase(open_, device);
}

std::int64_t SdlJoysticks::Deadline(std::int64_t deadlineMs) const {
  if (!started_ || !HasListeners()) return deadlineMs;
  return deadlineMs < 0 ? nextPoll_ : std::min(deadlineMs, nextPoll_);
}

bool SdlJoysticks::PollIfDue(std::int64_t nowMs) {
  if (!started_ || !HasListeners() || nowMs < nextPoll_) return false;
  nextPoll_ = nowMs + kPollMs;
  SDL_JoystickUpdate();
  // What a listener does about one change may open or close devices: collect first.
  std::vector<std::pair<JoystickChange, std::int64_t>> changes;
  const std::vector<SDL_JoystickID> now = AttachedIds();
  for (SDL_JoystickID id : known_)
    if (std::find(now.begin(), now.end(), id) == now.end())
      changes.emplace_back(JoystickChange::Removed, id);
  for (SDL_JoystickID id : now)
    if (std::find(known_.begin(), known_.end(), id) == known_.end())
      changes.emplace_back(JoystickChange::Added, id);
  known_ = now;
  for (SdlOpenJoystick* device : open_) {
    const auto state = device->Current();
    if (state && *state != device->last) {
      device->last = *state;
      changes.emplace_back(JoystickChange::Input, device->Id());
    }
  }
  for (const auto& [change, id] : changes) Notify(change, id);
  return !changes.empty();
}

}  // namespace host::sdl
