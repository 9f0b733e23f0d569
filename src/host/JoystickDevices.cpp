#include "host/JoystickDevices.h"

#include <algorithm>

namespace host {

void JoystickDevices::AddListener(JoystickListener& listener) {
  if (std::find(listeners_.begin(), listeners_.end(), &listener) != listeners_.end()) return;
  listeners_.push_back(&listener);
  ListenersChanged();
}

void JoystickDevices::RemoveListener(JoystickListener& listener) {
  if (std::erase(listeners_, &listener) > 0) ListenersChanged();
}

void JoystickDevices::Notify(JoystickChange change, std::int64_t id) {
  const std::vector<JoystickListener*> round = listeners_;
  for (JoystickListener* listener : round) {
    if (std::find(listeners_.begin(), listeners_.end(), listener) != listeners_.end())
      listener->OnJoystickChange(change, id);
  }
}

}  // namespace host
