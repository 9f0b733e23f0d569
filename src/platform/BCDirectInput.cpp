#include "platform/BCDirectInput.h"

#include <cstdlib>

namespace platform {
namespace {

// The stick's response, in ten-thousandths of the travel from the middle to either end:
// the inner tenth reads as the middle, the outer tenth as the end, and the rest is spread
// evenly over the whole range, so that a worn stick neither drifts nor falls short.
constexpr std::int64_t kDeadZone = 1000, kSaturation = 9000, kWhole = 10000;

std::int32_t Shaped(std::int32_t raw) {
  const std::int64_t d = raw - host::kAxisRest;
  const std::int64_t half =
      d < 0 ? host::kAxisRest - host::kAxisMin : host::kAxisMax - host::kAxisRest;
  const std::int64_t share = std::abs(d) * kWhole;  // the deflection, times kWhole / half
  std::int64_t offset = 0;
  if (share >= kSaturation * half) {
    offset = half;
  } else if (share > kDeadZone * half) {
    const std::int64_t span = kSaturation - kDeadZone;
    offset = (share - kDeadZone * half + span / 2) / span;
  }
  return static_cast<std::int32_t>(host::kAxisRest + (d < 0 ? -offset : offset));
}

// Percent of the centre reading; a centre of 0 gives nothing, and the value stays.
void Percent(std::int32_t reading, std::int32_t centre, std::int32_t& out) {
  if (centre != 0) out = (reading - centre) * 100 / centre;
}

}  // namespace

BCDirectInput::BCDirectInput(host::JoystickDevices& devices, DirectXEvent& receiver)
    : devices_(devices), receiver_(receiver) {
  RefreshDeviceList();
}

BCDirectInput::~BCDirectInput() {
  DeselectJoystick();
}

void BCDirectInput::RefreshDeviceList() {
  if (list_.empty()) list_ = devices_.Attached();
}

bool BCDirectInput::SelectJoystick(std::int32_t joystickNumber) {
  RefreshDeviceList();
  // Deliberate: a number past the list is refused and leaves the open joystick as it was; one
  // that cannot be opened counts as none.
  if (joystickNumber > static_cast<std::int64_t>(list_.size()) && !list_.empty()) return false;
  DeselectJoystick();
  if (list_.empty()) return false;
  std::size_t n = 1;
  if (joystickNumber >= 1) {
    n = static_cast<std::size_t>(joystickNumber);
  } else {
    for (std::size_t i = 2; i <= list_.size(); ++i)
      if (list_[i - 1].buttons > list_[n - 1].buttons) n = i;
  }
  return Open(n);
}

bool BCDirectInput::Open(std::size_t n) {
  device_ = devices_.Open(list_[n - 1].id);
  if (!device_) return false;
  selection_ = static_cast<std::int32_t>(n);
  lost_ = false;
  // Changes are listened to only while a joystick is selected: watching devices costs
  // the back end wake-ups.
  devices_.AddListener(*this);
  // The buttons are read at once; the position waits for the centre.
  // Deliberate: it is taken right after, on the assumption that nobody touches the stick while
  // it is being chosen.
  centreX_ = centreY_ = 0;
  DirectXEvent_DXCallback(0);
  if (const auto state = device_->Read()) {
    centreX_ = Shaped(state->x);
    centreY_ = Shaped(state->y);
  }
  return true;
}

void BCDirectInput::DeselectJoystick() {
  if (selection_ == 0) return;
  devices_.RemoveListener(*this);
  device_.reset();
  selection_ = 0;
  lost_ = false;
}

bool BCDirectInput::GetButtonState(std::array<bool, 13>& buttons) const {
  if (selection_ == 0) return false;
  buttons = flags_;
  buttons[0] = false;
  return true;
}

void BCDirectInput::GetJoystickInfo(std::vector<std::string>& names) {
  RefreshDeviceList();
  if (list_.empty()) return;
  names.clear();
  for (const host::JoystickInfo& info : list_) names.push_back(info.name);
}

void BCDirectInput::DirectXEvent_DXCallback(std::int32_t /*eventid*/) {
  if (!device_) return;
  // A device on its way out reads nothing; its last values stand until it is gone.
  const auto state = device_->Read();
  if (!state) return;
  Percent(Shaped(state->x), centreX_, JoystickX);
  Percent(Shaped(state->y), centreY_, JoystickY);
  for (int n = 1; n <= 12; ++n) flags_[n] = (state->buttons & (1u << (n - 1))) != 0;
}

void BCDirectInput::OnJoystickChange(host::JoystickChange change, std::int64_t id) {
  switch (change) {
    case host::JoystickChange::Input:
      if (device_ && device_->Id() == id)
        receiver_.DirectXEvent_DXCallback(static_cast<std::int32_t>(id));
      break;
    case host::JoystickChange::Removed:
      if (device_ && device_->Id() == id) Lose();
      break;
    case host::JoystickChange::Added:
      if (lost_) Reopen();
      break;
  }
}

void BCDirectInput::Lose() {
  // Deliberate: whatever was held when the cable came out must not stay held: the ship would
  // drift and fire on its own.
  device_.reset();
  lost_ = true;
  lostDevice_ = list_[static_cast<std::size_t>(selection_) - 1];
  JoystickX = JoystickY = 0;
  flags_.fill(false);
  if (DeviceLost) DeviceLost();
}

void BCDirectInput::Reopen() {
  // The old list names devices that are no longer there.
  list_.clear();
  RefreshDeviceList();
  if (list_.empty()) return;
  std::size_t n = 1;
  for (std::size_t i = 1; i <= list_.size(); ++i) {
    if (list_[i - 1].name == lostDevice_.name && list_[i - 1].buttons == lostDevice_.buttons) {
      n = i;
      break;
    }
  }
  if (Open(n) && DeviceRegained) DeviceRegained();
}

}  // namespace platform
