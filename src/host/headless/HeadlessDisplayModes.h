#pragma once
#include <vector>

#include "host/DisplayModes.h"

namespace host {

// A scripted screen: the modes it can show, the one it shows, and every request made of it.
// Unless a test says otherwise it shows 1024 x 768 at 32 bits and also knows 640 x 480 at
// 16 and 32 bits.
class HeadlessDisplayModes final : public DisplayModes {
 public:
  HeadlessDisplayModes();
  // Replaces the known modes and the current one; forgets the requests made so far.
  void Script(std::vector<DisplayMode> modes, DisplayMode current);
  // Every SetMode request, oldest first, as it was asked.
  const std::vector<DisplayMode>& Requests() const { return requests_; }

  std::optional<DisplayMode> CurrentMode() override { return current_; }
  // Switches when the mode is one of the known ones; a depth of 0 keeps the current depth.
  ModeChange SetMode(const DisplayMode& mode) override;

 private:
  std::vector<DisplayMode> modes_;
  DisplayMode current_;
  std::vector<DisplayMode> requests_;
};

}  // namespace host
