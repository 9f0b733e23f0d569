#pragma once
#include <cstdint>
#include <string>

#include "app/replay/Mirrors.h"
#include "app/script/Runner.h"
#include "host/sdl/SdlHost.h"

namespace replay {

// Watches a run of the headless runner in real time on the SDL back end: the run's windows
// are shown in real ones (Mirrors), its sounds play on the real device, and its virtual
// clock is held back to the wall clock, so that every frame, sleep and dialog comes when it
// came in the game recorded. The pauses the recording holds go by too (at most
// kLongestHoldMs each), and each dialog stays at least kDialogMs. The person watching
// steers nothing: Esc ends the program, P pauses and resumes it.
class Viewer final : public script::Watcher {
 public:
  // Deliberate: long pauses are cut short and short dialogs held, so that watching stays
  // lively and every dialog can be read.
  static constexpr std::int64_t kDialogMs = 1000;
  static constexpr std::int64_t kLongestHoldMs = 5000;

  // `screen` is an SDL host, which becomes one that is only watched.
  explicit Viewer(host::Host& screen);

  void Started(host::HeadlessHost& run) override;
  void Created(host::HeadlessWindow& window) override { mirrors_.Created(window); }
  void Destroyed(host::HeadlessWindow& window) override { mirrors_.Destroyed(window); }
  void Until(std::int64_t ms) override;
  void Presented() override;
  void Answering(std::int64_t readMs) override;
  void Hold(std::int64_t ms) override;

 private:
  void KeyPressed(int keyCode);

  host::Host& screen_;
  host::HeadlessHost* run_ = nullptr;
  Mirrors mirrors_;
  std::int64_t origin_ = 0;  // the screen's clock when the run's clock was at 0
  bool paused_ = false;
  std::int64_t pausedAt_ = 0;
};

// skirmora --replay FILE: checks the recording before anything else (a refusal is said as
// skirmora-script says it, with status 2), then plays it in real windows. The player's
// settings are never read or written: the run has the settings the recording carries.
int WatchRecording(const std::string& path, host::ScreenOptions screen);

}  // namespace replay
