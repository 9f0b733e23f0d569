#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace record {

// A game being written down as a scenario for the headless runner. The runner reads a line
// only when the program waits for input, and queues dialog answers until a dialog takes
// them; so every line must sit where the runner will read it at the same point of the game:
//  - set-up lines (seed, settings, CD probe...) go before `start`;
//  - an event line (a key, a click, a focus change...) goes at the end, after a `ticks N`
//    line for the frames that ran since the line before it;
//  - a line that must already be known when the last event is handled (the answer to the
//    dialog that event opened, the joystick reading it took) goes just before that event
//    line, after the ones put there before it.
// With a clock, the time the player took is written too, for a replay watched in real time:
// `idle MS` just before an event that came MS after the program was last busy (a line, a
// frame, a sleep or a dialog ending), the lines put before the event going before this one;
// and `idle MS` just before an answer whose dialog stayed open that long. Gaps under kIdleMs
// are not written: input that close together is replayed back to back, and while the game
// runs its frames come closer than that.
class ScenarioLog {
 public:
  static constexpr std::int64_t kIdleMs = 100;

  ScenarioLog();

  // Times are taken from now on, the program busy at first.
  void SetClock(std::function<std::int64_t()> nowMs);
  void SetUp(std::string line);
  void Event(std::string line);
  void BeforeLastEvent(std::string line);
  // The answer to a dialog that opened at `openedMs` and has just been answered.
  void Answer(std::string line, std::int64_t openedMs);
  // One tick of the game's frame timer has begun.
  void Tick();
  // The program was busy until now (it slept).
  void Busy();

  // The scenario as it stands, frames still uncounted included.
  std::string Text() const;
  // Writes Text() to the file in one atomic replacement. When that fails, says so on standard
  // error after "`program`: " and returns false; a file that was replaced but not confirmed by
  // the disk is said so too, and counts as saved.
  bool SaveTo(const std::string& path, const char* program) const;

 private:
  void WriteTicks();
  std::string TicksLine() const;
  // Milliseconds since `since` on the clock when they reach kIdleMs, else 0.
  std::int64_t IdleSince(std::int64_t since) const;

  std::vector<std::string> setUp_;
  std::vector<std::string> lines_;  // from `start` on
  std::size_t insertAt_ = 0;        // where BeforeLastEvent puts its next line
  std::uint64_t ticks_ = 0;         // frames begun since the last line
  std::function<std::int64_t()> nowMs_;
  std::int64_t busyMs_ = 0;  // when the program was last busy
};

}  // namespace record
