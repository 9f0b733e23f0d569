#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace host {

// Raw axis readings run from 0 (left, up) to 65535 (right, down); a stick at rest reads
// kAxisRest. Both back ends scale their devices' own ranges onto this one.
constexpr std::int32_t kAxisMin = 0, kAxisMax = 65535, kAxisRest = 32768;

struct JoystickInfo {
  std::int64_t id = 0;  // stays the same for as long as the device stays plugged in
  std::string name;
  int buttons = 0;
};

struct JoystickState {
  std::int32_t x = kAxisRest;
  std::int32_t y = kAxisRest;
  std::uint32_t buttons = 0;  // bit n - 1 is button n; buttons past 32 are not reported

  bool operator==(const JoystickState&) const = default;
};

// An open joystick. It stays valid after the device is unplugged; it just reads nothing.
class OpenJoystick {
 public:
  virtual ~OpenJoystick() = default;
  virtual std::int64_t Id() const = 0;
  // The current reading, or nothing once the device is gone.
  virtual std::optional<JoystickState> Read() = 0;
};

enum class JoystickChange {
  Added,    // a device was plugged in
  Removed,  // a device was unplugged
  Input,    // an open device's stick or buttons changed
};

class JoystickListener {
 public:
  virtual ~JoystickListener() = default;
  virtual void OnJoystickChange(JoystickChange change, std::int64_t id) = 0;
};

// The joysticks and gamepads attached to the machine. Changes are told to the listeners on
// the UI thread, between other events, so a listener may read, open and close devices.
class JoystickDevices {
 public:
  virtual ~JoystickDevices() = default;
  // The attached devices, in the system's order.
  virtual std::vector<JoystickInfo> Attached() = 0;
  // Opens the device of that id; null when it is not attached (or cannot be opened).
  virtual std::unique_ptr<OpenJoystick> Open(std::int64_t id) = 0;

  // A listener must be removed before it is destroyed.
  void AddListener(JoystickListener& listener);
  void RemoveListener(JoystickListener& listener);

 protected:
  // Tells every listener; one removed by an earlier one in the same round is skipped.
  void Notify(JoystickChange change, std::int64_t id);
  bool HasListeners() const { return !listeners_.empty(); }
  // Called after a listener came or went (a device set may watch devices only while heard).
  virtual void ListenersChanged() {}

 private:
  std::vector<JoystickListener*> listeners_;
};

}  // namespace host
