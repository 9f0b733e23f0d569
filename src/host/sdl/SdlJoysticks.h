#pragma once
#include <SDL.h>

#include <cstdint>
#include <vector>

#include "host/JoystickDevices.h"

namespace host::sdl {

class SdlOpenJoystick;

// The joysticks and gamepads SDL finds, through its joystick API (not the game-controller
// mapping: the game wants raw buttons, numbered as the device numbers them). A pad's D-pad
// (the first hat) steers as the stick pushed all the way, while the stick itself rests.
//
// SDL's own joystick events are switched off: with them on, SDL's event wait turns into a
// 1 ms busy loop whenever any joystick is attached, a few percent of a core spent doing
// nothing. Instead the event loop has the devices looked at every 20 ms (more than twice a
// frame), and only while somebody listens; what changed since the last look is told as a
// notification.
class SdlJoysticks final : public JoystickDevices {
 public:
  static constexpr int kPollMs = 20;

  SdlJoysticks() = default;
  ~SdlJoysticks() override;
  SdlJoysticks(const SdlJoysticks&) = delete;
  SdlJoysticks& operator=(const SdlJoysticks&) = delete;

  std::vector<JoystickInfo> Attached() override;
  std::unique_ptr<OpenJoystick> Open(std::int64_t id) override;

  // Looks at the devices when a look is due; true when it told the listeners something.
  bool PollIfDue(std::int64_t nowMs);
  // `deadlineMs` (-1 for none), brought forward to when the next look is due.
  std::int64_t Deadline(std::int64_t deadlineMs) const;

  // A listener hears of every device plugged in after it came.
  void ListenersChanged() override {
    if (HasListeners()) Start();
  }

  // Used by the open devices.
  void Forget(SdlOpenJoystick* device);

 private:
  void Start();
  std::vector<SDL_JoystickID> AttachedIds() const;

  bool tried_ = false;    // to start SDL's joystick subsystem
  bool started_ = false;  // and it started
  std::int64_t nextPoll_ = 0;
  std::vector<SDL_JoystickID> known_;   // attached at the last look
  std::vector<SdlOpenJoystick*> open_;  // watched for changes
};

}  // namespace host::sdl
