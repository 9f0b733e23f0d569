#pragma once
#include <cstdint>
#include <optional>

namespace host {

struct DisplayMode {
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::int32_t bitsPerPixel = 0;  // in a request, 0 keeps the current depth

  bool operator==(const DisplayMode&) const = default;
};

enum class ModeChange {
  Successful,
  BadMode,  // the display does not know that mode
  Failed,   // any other refusal
};

// The screen's video mode.
class DisplayModes {
 public:
  virtual ~DisplayModes() = default;
  // The mode the screen shows now; nothing when it cannot be read.
  virtual std::optional<DisplayMode> CurrentMode() = 0;
  // A temporary switch for this program's run, never written to the user's settings.
  virtual ModeChange SetMode(const DisplayMode& mode) = 0;
};

}  // namespace host
