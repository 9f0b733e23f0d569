#pragma once
#include "host/DisplayModes.h"

namespace host::sdl {

// Deliberate: the game window is a full-screen surface scaled up by whole pixels, so the
// desktop's mode never needs to change: a switch is reported as done and nothing is touched.
// That also means no crash can ever leave the desktop in another mode.
class SdlDisplayModes final : public DisplayModes {
 public:
  std::optional<DisplayMode> CurrentMode() override;
  ModeChange SetMode(const DisplayMode&) override { return ModeChange::Successful; }
};

}  // namespace host::sdl
