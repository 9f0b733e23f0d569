#pragma once
#include <cstdint>

#include "host/Host.h"

namespace game {

// Non-zero while the desktop's screen saver is enabled.
inline std::int16_t GetScreenSaverActive(host::Host& host) {
  return host.ScreenSaverActive() ? -1 : 0;
}
// Enables (non-zero) or disables (0) the screen saver.
inline void SetScreenSaverActive(host::Host& host, std::int16_t active) {
  host.SetScreenSaverActive(active != 0);
}

}  // namespace game
