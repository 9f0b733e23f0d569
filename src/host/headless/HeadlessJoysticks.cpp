#include "host/headless/HeadlessJoysticks.h"

#include <algorithm>

namespace host {
namespace {

class HeadlessOpenJoystick final : public OpenJoystick {
 public:
  HeadlessOpenJoystick(const HeadlessJoysticks& devices, std::int64_t id)
      : devices_(devices), id_(id) {}
  std::int64_t Id() const override { return id_; }
  std::optional<JoystickState> Read() override { return devices_.StateOf(id_); }

 private:
  const HeadlessJoysticks& devices_;
  std::int64_t id_;
};

}  // namespace

std::int64_t HeadlessJoysticks::Plug(const std::string& name, int buttons) {
  const std::int64_t id = nextId_++;
  devices_.push_back({{id, name, std::max(0, buttons)}, {}});
  post_(JoystickChange::Added, id);
  return id;
}

std::optional<std::int64_t> HeadlessJoysticks::Newest() const {
  if (devices_.empty()) return std::nullopt;
  return devices_.back().info.id;
}

HeadlessJoysticks::Device* HeadlessJoysticks::Find(std::int64_t id) {
  auto it = std::find_if(devices_.begin(), devices_.end(),
                         [id](const Device& d) { return d.info.id == id; });
  return it == devices_.end() ? nullptr : &*it;
}

bool HeadlessJoysticks::Unplug(std::int64_t id) {
  if (!Find(id)) return false;
  std::erase_if(devices_, [id](const Device& d) { return d.info.id == id; });
  post_(JoystickChange::Removed, id);
  return true;
}

bool HeadlessJoysticks::SetAxes(std::int64_t id, std::int32_t x, std::int32_t y) {
  Device* d = Find(id);
  if (!d) return false;
  d->state.x = std::clamp(x, kAxisMin, kAxisMax);
  d->state.y = std::clamp(y, kAxisMin, kAxisMax);
  post_(JoystickChange::Input, id);
  return true;
}

bool HeadlessJoysticks::SetButton(std::int64_t id, int button, bool down) {
  Device* d = Find(id);
  if (!d || button < 1 || button > d->info.buttons) return false;
  if (button <= 32) {
    const std::uint32_t bit = 1u << (button - 1);
    d->state.buttons = down ? (d->state.buttons | bit) : (d->state.buttons & ~bit);
  }
  post_(JoystickChange::Input, id);
  return true;
}

std::vector<JoystickInfo> HeadlessJoysticks::Attached() {
  std::vector<JoystickInfo> list;
  for (const Device& d : devices_) list.push_back(d.info);
  return list;
}

std::unique_ptr<OpenJoystick> HeadlessJoysticks::Open(std::int64_t id) {
  if (!Find(id)) return nullptr;
  return std::make_unique<HeadlessOpenJoystick>(*this, id);
}

std::optional<JoystickState> HeadlessJoysticks::StateOf(std::int64_t id) const {
  for (const Device& d : devices_)
    if (d.info.id == id) return d.state;
  return std::nullopt;
}

}  // namespace host
