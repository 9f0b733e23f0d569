#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "host/Host.h"
#include "host/JoystickDevices.h"
#include "host/Surface.h"

namespace platform {

// A self-contained joystick control: it polls the first joystick every 25 ms and reports
// it as a coarse direction (-1, 0 or +1 on each axis) and four buttons. The stick counts
// as centred within a fifth of the reading it had at start-up on either side.
class ThornJoystick {
 public:
  static constexpr int kSize = 32;  // the control keeps itself this many pixels square
  static constexpr int kPollMs = 25;

  // `face` is the control's picture (32 x 32); it must outlive the control.
  ThornJoystick(host::Host& host, const host::Surface& face);
  ThornJoystick(const ThornJoystick&) = delete;
  ThornJoystick& operator=(const ThornJoystick&) = delete;

  // A button (1 to 4) went from released to pressed, or back.
  std::function<void(std::int16_t button)> ButtonDown;
  std::function<void(std::int16_t button)> ButtonUp;
  // After every successful poll, changed or not: the directions and the four buttons.
  std::function<void(std::int16_t x, std::int16_t y, bool button1, bool button2, bool button3,
                     bool button4)>
      Update;

  // Start-up, when the window holding the control loads it at run time (never while the
  // window is being designed): the first reading is the centre, and polling starts. With
  // no joystick the control is absent for good.
  void Start();
  // The last directions, and the buttons as -1 (pressed) or 0.
  void GetState(std::int16_t& x, std::int16_t& y, std::int16_t& button1, std::int16_t& button2,
                std::int16_t& button3, std::int16_t& button4) const;
  // False once the start-up reading failed; true before it, too.
  bool IsJoystick() const { return !notPresent_; }

  // Where the control sits on its window; it is always kSize square.
  int Left = 0, Top = 0;
  // Draws its picture there.
  void Paint(host::Surface& canvas) const;

 private:
  void Tick();
  // The first joystick's reading; nothing when there is none or it cannot be read.
  std::optional<host::JoystickState> ReadFirstJoystick();

  host::JoystickDevices& joysticks_;
  const host::Surface& face_;
  std::unique_ptr<host::Timer> statusTimer_;
  std::unique_ptr<host::OpenJoystick> device_;
  bool notPresent_ = false;
  bool running_ = false;
  std::int32_t centreX_ = 0, centreY_ = 0;
  std::int16_t x_ = 0, y_ = 0;
  std::array<bool, 4> buttons_{};
};

}  // namespace platform
