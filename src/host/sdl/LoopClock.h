#pragma once
#include <cstdint>

namespace host::sdl {

// How the SDL back end's loops tell time and wait. The real clock is a steady millisecond
// clock that waits for the window system's events; tests drive the same loops in virtual
// time with a clock of their own.
class LoopClock {
 public:
  virtual ~LoopClock() = default;
  virtual std::int64_t NowMs() = 0;
  // Nothing is queued and the program waits for input: returns once an event may have
  // arrived, or at `deadlineMs` at the latest (-1: no deadline).
  virtual void Idle(std::int64_t deadlineMs) = 0;
  // The program sleeps until `untilMs`: returns once an event may have arrived, or then.
  virtual void Doze(std::int64_t untilMs) = 0;
};

}  // namespace host::sdl
