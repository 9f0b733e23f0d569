#pragma once
#include <cstdint>

namespace host {

// When a periodic timer's next tick is due, given the tick that was due at `due` and is
// running at `now`. Ticks keep to the grid due + k x interval of a steady clock; a tick that
// comes late (a long frame, a sleep, a modal box) is followed by the next grid point still
// ahead, never by a burst of the ticks it missed, as window timer messages coalesce.
constexpr std::int64_t NextTickDue(std::int64_t due, int interval, std::int64_t now) {
  const std::int64_t next = due + interval;
  if (next > now) return next;
  return next + ((now - next) / interval + 1) * interval;
}

}  // namespace host
