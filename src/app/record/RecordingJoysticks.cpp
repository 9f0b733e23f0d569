#include "app/record/RecordingJoysticks.h"

#include <algorithm>

#include "app/script/Commands.h"

namespace record {
namespace {

class RecordedJoystick final : public host::OpenJoystick {
 public:
  RecordedJoystick(RecordingJoysticks& owner, std::unique_ptr<host::OpenJoystick> inner)
      : owner_(owner), inner_(std::move(inner)) {}
  std::int64_t Id() const override { return inner_->Id(); }
  std::optional<host::JoystickState> Read() override {
    std::optional<host::JoystickState> state = inner_->Read();
    owner_.Seen(inner_->Id(), state);
    return state;
  }

 private:
  RecordingJoysticks& owner_;
  std::unique_ptr<host::OpenJoystick> inner_;
};

}  // namespace

RecordingJoysticks::RecordingJoysticks(host::JoystickDevices& inner, ScenarioLog& log)
    : inner_(inner), log_(log) {}

RecordingJoysticks::~RecordingJoysticks() {
  if (listening_) inner_.RemoveListener(*this);
}

void RecordingJoysticks::ListenersChanged() {
  // The machine's devices are watched only while somebody here listens, as they would be
  // without the recording.
  if (HasListeners() == listening_) return;
  listening_ = HasListeners();
  if (listening_) {
    inner_.AddListener(*this);
  } else {
    inner_.RemoveListener(*this);
  }
}

RecordingJoysticks::Device* RecordingJoysticks::Find(std::int64_t id) {
  auto it = std::find_if(devices_.begin(), devices_.end(),
                         [id](const Device& d) { return d.info.id == id; });
  return it == devices_.end() ? nullptr : &*it;
}

std::string RecordingJoysticks::Address(std::int64_t id) const {
  for (std::size_t i = 0; i + 1 < devices_.size(); ++i)
    if (devices_[i].info.id == id) return std::to_string(i + 1) + " ";
  return "";
}

void RecordingJoysticks::Write(std::string line) {
  if (notifying_) {
    log_.Event(std::move(line));
  } else {
    log_.BeforeLastEvent(std::move(line));
  }
}

void RecordingJoysticks::Plug(const host::JoystickInfo& info) {
  Write(script::Line(script::Command::Joystick,
                     "plug " + (info.name.empty() ? std::string("?") : info.name) + " " +
                         std::to_string(info.buttons)));
  devices_.push_back({info, {}});
}

void RecordingJoysticks::Unplug(std::int64_t id) {
  if (!Find(id)) return;
  Write(script::Line(script::Command::Joystick, Address(id) + "unplug"));
  std::erase_if(devices_, [id](const Device& d) { return d.info.id == id; });
}

std::vector<host::JoystickInfo> RecordingJoysticks::Attached() {
  std::vector<host::JoystickInfo> attached = inner_.Attached();
  // Changes nobody listened to show only in the list: bring the runner's devices in line.
  std::vector<std::int64_t> gone;
  for (const Device& d : devices_)
    if (std::none_of(attached.begin(), attached.end(),
                     [&](const host::JoystickInfo& a) { return a.id == d.info.id; }))
      gone.push_back(d.info.id);
  for (std::int64_t id : gone) Unplug(id);
  for (const host::JoystickInfo& info : attached)
    if (!Find(info.id)) Plug(info);
  return attached;
}

std::unique_ptr<host::OpenJoystick> RecordingJoysticks::Open(std::int64_t id) {
  std::unique_ptr<host::OpenJoystick> device = inner_.Open(id);
  if (!device) return nullptr;
  return std::make_unique<RecordedJoystick>(*this, std::move(device));
}

void RecordingJoysticks::Seen(std::int64_t id, const std::optional<host::JoystickState>& state) {
  Device* d = Find(id);
  if (!state || !d || *state == d->state) return;
  const std::string device = Address(id);
  if (state->x != d->state.x || state->y != d->state.y)
    Write(script::Line(script::Command::Joystick, device + "axis " + std::to_string(state->x) +
                                                      " " + std::to_string(state->y)));
  const int buttons = std::min(d->info.buttons, 32);
  for (int b = 1; b <= buttons; ++b) {
    const std::uint32_t bit = 1u << (b - 1);
    if ((state->buttons & bit) != (d->state.buttons & bit))
      Write(script::Line(
          script::Command::Joystick,
          device + "button " + std::to_string(b) + ((state->buttons & bit) ? " down" : " up")));
  }
  d->state = *state;
}

void RecordingJoysticks::OnJoystickChange(host::JoystickChange change, std::int64_t id) {
  struct Notifying {
    bool& flag;
    bool was = flag;
    ~Notifying() { flag = was; }
  } scope{notifying_};
  notifying_ = true;
  if (change == host::JoystickChange::Added && !Find(id)) {
    for (const host::JoystickInfo& info : inner_.Attached())
      if (info.id == id) Plug(info);
  } else if (change == host::JoystickChange::Removed) {
    Unplug(id);
  }
  // A reading taken while this is told is what the runner's change brings about.
  Notify(change, id);
}

}  // namespace record
