#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/record/ScenarioLog.h"
#include "host/JoystickDevices.h"

namespace record {

// The machine's joysticks as the program sees them, written down as the runner's joystick
// commands: the devices attached when the program looks, each one plugged in or pulled out
// while it listens, and every reading that differs from the one the runner's device would
// give. The runner's devices are plugged in at rest, so that a reading is written before the
// event during which it was taken and is what the replay reads at the same moment.
class RecordingJoysticks final : public host::JoystickDevices, private host::JoystickListener {
 public:
  RecordingJoysticks(host::JoystickDevices& inner, ScenarioLog& log);
  ~RecordingJoysticks() override;
  RecordingJoysticks(const RecordingJoysticks&) = delete;
  RecordingJoysticks& operator=(const RecordingJoysticks&) = delete;

  std::vector<host::JoystickInfo> Attached() override;
  std::unique_ptr<host::OpenJoystick> Open(std::int64_t id) override;

  // Called by the open devices with what they read.
  void Seen(std::int64_t id, const std::optional<host::JoystickState>& state);

 protected:
  void ListenersChanged() override;

 private:
  struct Device {
    host::JoystickInfo info;
    host::JoystickState state;  // as the runner's device stands
  };
  void OnJoystickChange(host::JoystickChange change, std::int64_t id) override;
  Device* Find(std::int64_t id);
  // The runner's words for a device before what is done to it: "" for the last one plugged
  // in, "N " for another.
  std::string Address(std::int64_t id) const;
  void Plug(const host::JoystickInfo& info);
  void Unplug(std::int64_t id);
  void Write(std::string line);

  host::JoystickDevices& inner_;
  ScenarioLog& log_;
  std::vector<Device> devices_;  // attached as the runner knows them, oldest first
  bool listening_ = false;
  // Inside a notification of the machine's devices: the lines written are what causes it.
  bool notifying_ = false;
};

}  // namespace record
