#pragma once
// Both back ends behind one small driver, so that the same tests run against each: the SDL
// one under its dummy video driver in virtual time, and the headless one.
#include <algorithm>
#include <cstdlib>
#include <deque>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "host/RegistryFile.h"
#include "host/headless/HeadlessHost.h"
#include "host/sdl/LoopClock.h"
#include "host/sdl/SdlHost.h"
#include "host/sdl/SyntheticEvents.h"

namespace host_testing {

class BackEnd {
 public:
  virtual ~BackEnd() = default;
  virtual host::Host& Host() = 0;
  // Steps run one at a time whenever the program waits for input, in the outermost loop and
  // in nested modal loops alike.
  void Steps(std::vector<std::function<void()>> steps) {
    steps_.assign(steps.begin(), steps.end());
  }
  // Inside a step: lets `ms` milliseconds pass before the next step, running whatever falls
  // due, as the user waiting would.
  virtual void Advance(int ms) = 0;
  // A letter key going down or up on the window in front, as the user would press it.
  virtual void Key(char letter, bool down) = 0;

 protected:
  void RunNextStep() {
    // The steps ran out while the program still waits for input: a loop that should have
    // ended did not.
    if (steps_.empty()) throw host::ProgramExit{99};
    const std::function<void()> step = std::move(steps_.front());
    steps_.pop_front();
    step();
  }

 private:
  std::deque<std::function<void()>> steps_;
};

class HeadlessBackEnd : public BackEnd {
 public:
  HeadlessBackEnd() {
    host_.SetInputSource([this] {
      if (advance_ < 0) return RunNextStep();
      host_.AdvanceTime(std::exchange(advance_, -1));
    });
  }
  host::Host& Host() override { return host_; }
  void Advance(int ms) override { advance_ = std::max<std::int64_t>(advance_, 0) + ms; }
  void Key(char letter, bool down) override {
    down ? host_.PostKeyDown(letter, 0) : host_.PostKeyUp(letter, 0);
  }

 private:
  host::HeadlessHost host_{std::make_unique<host::MemoryRegistryStore>()};
  std::int64_t advance_ = -1;  // -1: no time asked for (0 ms still runs what is overdue)
};

// Virtual time for the SDL back end's loops: time passes only as far as the test lets it;
// when the loop waits for input with no time left to pass, the next step runs.
class VirtualClock final : public host::sdl::LoopClock {
 public:
  explicit VirtualClock(std::function<void()> onIdle) : onIdle_(std::move(onIdle)) {}
  std::int64_t NowMs() override { return now_; }
  void Idle(std::int64_t deadlineMs) override {
    if (now_ < target_) {
      now_ = deadlineMs < 0 ? target_ : std::clamp(deadlineMs, now_, target_);
      return;
    }
    onIdle_();
  }
  void Doze(std::int64_t untilMs) override { now_ = std::max(now_, untilMs); }
  void Allow(int ms) { target_ = std::max(target_, now_) + ms; }
  // Time the program spends computing, with no chance to look at events.
  void Spend(int ms) { now_ += ms; }

 private:
  std::function<void()> onIdle_;
  std::int64_t now_ = 0;
  std::int64_t target_ = 0;
};

class SdlBackEnd : public BackEnd {
 public:
  SdlBackEnd() {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    auto clock = std::make_unique<VirtualClock>([this] { RunNextStep(); });
    clock_ = clock.get();
    host_ = host::MakeSdlHost(std::make_unique<host::MemoryRegistryStore>(), host::DesktopArt{},
                              std::move(clock), {});
    if (!host_) throw std::runtime_error("SDL's dummy video driver did not start");
  }
  host::Host& Host() override { return *host_; }
  void Advance(int ms) override { clock_->Allow(ms); }
  void Spend(int ms) { clock_->Spend(ms); }
  void Key(char letter, bool down) override {
    constexpr int kUsbA = 4;
    host::sdl::PushKey(*host_->FrontWindow(), kUsbA + (letter - 'A'), down);
  }

 private:
  VirtualClock* clock_ = nullptr;
  std::unique_ptr<host::Host> host_;
};

// A window's events as lines of text: "down A", "up B", and whatever the test adds.
struct Recorder : host::WindowEvents {
  std::vector<std::string> log;
  std::function<void(char)> onKeyDown;
  void OnKeyDown(int code, int) override {
    log.push_back(std::string("down ") + static_cast<char>(code));
    if (onKeyDown) onKeyDown(static_cast<char>(code));
  }
  void OnKeyUp(int code, int) override {
    log.push_back(std::string("up ") + static_cast<char>(code));
  }
};

inline host::WindowSpec SmallWindow(std::string name) {
  host::WindowSpec spec;
  spec.name = std::move(name);
  spec.width = 40;
  spec.height = 30;
  return spec;
}

}  // namespace host_testing
