#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "host/JoystickDevices.h"

namespace host {

// Scripted joysticks for tests and the runner. A change of a device's state is seen at
// once by whoever reads it; the notification of it is posted to the host's event queue
// and reaches the listeners on the UI thread, as a real device's would.
class HeadlessJoysticks final : public JoystickDevices {
 public:
  using Poster = std::function<void(JoystickChange, std::int64_t)>;
  explicit HeadlessJoysticks(Poster post) : post_(std::move(post)) {}

  // Plugs in a device resting at the centre with no button held; returns its id.
  std::int64_t Plug(const std::string& name, int buttons);
  // The last device plugged in that is still attached.
  std::optional<std::int64_t> Newest() const;
  // Each returns false when no device of that id is attached (or it has no such button).
  bool Unplug(std::int64_t id);
  bool SetAxes(std::int64_t id, std::int32_t x, std::int32_t y);
  bool SetButton(std::int64_t id, int button, bool down);

  // Called by the host when it takes a posted notification off its queue.
  void Deliver(JoystickChange change, std::int64_t id) { Notify(change, id); }

  std::vector<JoystickInfo> Attached() override;
  std::unique_ptr<OpenJoystick> Open(std::int64_t id) override;
  // The state of an attached device; nothing once it is unplugged.
  std::optional<JoystickState> StateOf(std::int64_t id) const;

 private:
  struct Device {
    JoystickInfo info;
    JoystickState state;
  };
  Device* Find(std::int64_t id);

  Poster post_;
  std::vector<Device> devices_;  // attached, oldest first
  std::int64_t nextId_ = 1;
};

}  // namespace host
