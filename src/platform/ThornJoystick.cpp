#include "platform/ThornJoystick.h"

namespace platform {
namespace {

constexpr double kLow = 0.8, kHigh = 1.2;

std::int16_t Flag(bool pressed) {
  return pressed ? -1 : 0;
}

}  // namespace

ThornJoystick::ThornJoystick(host::Host& host, const host::Surface& face)
    : joysticks_(host.Joysticks()), face_(face) {
  statusTimer_ = host.CreateTimer(kPollMs, [this] { Tick(); });
  statusTimer_->SetEnabled(false);
}

void ThornJoystick::Start() {
  if (running_ || notPresent_) return;
  const auto first = ReadFirstJoystick();
  if (!first) {
    notPresent_ = true;
    return;
  }
  centreX_ = first->x;
  centreY_ = first->y;
  statusTimer_->SetEnabled(true);
  running_ = true;
}

std::optional<host::JoystickState> ThornJoystick::ReadFirstJoystick() {
  if (device_) {
    if (auto state = device_->Read()) return state;
    device_.reset();
  }
  // Unplugged and plugged in again, the first joystick is whichever comes first now.
  const auto attached = joysticks_.Attached();
  if (attached.empty()) return std::nullopt;
  device_ = joysticks_.Open(attached.front().id);
  if (!device_) return std::nullopt;
  return device_->Read();
}

void ThornJoystick::Tick() {
  const auto state = ReadFirstJoystick();
  if (!state) return;  // lost for now; the last state stays readable
  const double x = state->x, y = state->y;
  x_ = x < kLow * centreX_ ? -1 : (x > kHigh * centreX_ ? 1 : 0);
  // Pushed forward, the stick reads less: that is up, +1.
  y_ = y < kLow * centreY_ ? 1 : (y > kHigh * centreY_ ? -1 : 0);
  for (std::size_t b = 0; b < buttons_.size(); ++b) {
    const bool pressed = (state->buttons & (1u << b)) != 0;
    const bool was = buttons_[b];
    buttons_[b] = pressed;
    const auto number = static_cast<std::int16_t>(b + 1);
    if (pressed && !was && ButtonDown) ButtonDown(number);
    if (!pressed && was && ButtonUp) ButtonUp(number);
  }
  if (Update) Update(x_, y_, buttons_[0], buttons_[1], buttons_[2], buttons_[3]);
}

void ThornJoystick::GetState(std::int16_t& x, std::int16_t& y, std::int16_t& button1,
                             std::int16_t& button2, std::int16_t& button3,
                             std::int16_t& button4) const {
  x = x_;
  y = y_;
  button1 = Flag(buttons_[0]);
  button2 = Flag(buttons_[1]);
  button3 = Flag(buttons_[2]);
  button4 = Flag(buttons_[3]);
}

void ThornJoystick::Paint(host::Surface& canvas) const {
  canvas.Blit(Left, Top, kSize, kSize, face_, 0, 0, host::RasterOp::Copy);
}

}  // namespace platform
