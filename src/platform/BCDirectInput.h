#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/JoystickDevices.h"
#include "platform/DirectXEvent.h"

namespace platform {

// The game's joystick: one device out of those attached, its stick as two percentages of
// the centre reading and its first 12 buttons as flags, refreshed whenever it changes.
//
// Every change of the open device goes to the receiver (the game window), which hands it
// back to DirectXEvent_DXCallback; only then are the readings taken.
class BCDirectInput final : public DirectXEvent, private host::JoystickListener {
 public:
  BCDirectInput(host::JoystickDevices& devices, DirectXEvent& receiver);
  ~BCDirectInput() override;
  BCDirectInput(const BCDirectInput&) = delete;
  BCDirectInput& operator=(const BCDirectInput&) = delete;

  // Deflection in percent of the centre taken at selection: negative left or up, about
  // +100 full right or down, 0 over the inner tenth of the travel.
  std::int32_t JoystickX = 0;
  std::int32_t JoystickY = 0;

  // Raised when the open joystick is unplugged. The readings are back at the centre and
  // every button released by then; the first joystick plugged in afterwards (the same
  // one, if it comes back) is opened in its place with a fresh centre.
  std::function<void()> DeviceLost;
  // Raised when a joystick has been opened in place of the lost one.
  std::function<void()> DeviceRegained;

  // Opens joystick number `joystickNumber` of the list (from 1), or for 0 and below the
  // one with the most buttons, the first among equals. True when a joystick is open
  // afterwards. A number past the list is refused with false and changes nothing.
  bool SelectJoystick(std::int32_t joystickNumber = 0);
  void DeselectJoystick();
  // False, leaving `buttons` alone, when no joystick is selected; otherwise buttons 1 to 12
  // as of the latest change (element 0 is unused).
  bool GetButtonState(std::array<bool, 13>& buttons) const;
  // The names of the joysticks in list order; `names` is left alone when none is attached.
  void GetJoystickInfo(std::vector<std::string>& names);
  // Reads the open device: the stick and buttons 1 to 12.
  void DirectXEvent_DXCallback(std::int32_t eventid) override;

 private:
  void OnJoystickChange(host::JoystickChange change, std::int64_t id) override;
  // Fills the device list, but only while it is empty: a list found once is kept.
  void RefreshDeviceList();
  // Opens entry n (from 1) of the list and takes the centre there.
  bool Open(std::size_t n);
  void Lose();
  void Reopen();

  host::JoystickDevices& devices_;
  DirectXEvent& receiver_;
  std::vector<host::JoystickInfo> list_;
  std::int32_t selection_ = 0;  // the list entry open, from 1; 0 for none
  std::unique_ptr<host::OpenJoystick> device_;
  bool lost_ = false;  // the selected device was unplugged; waiting for one to come
  host::JoystickInfo lostDevice_;
  std::int32_t centreX_ = 0, centreY_ = 0;
  std::array<bool, 13> flags_{};  // buttons 1 to 12
};

}  // namespace platform
