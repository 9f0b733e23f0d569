#pragma once
#include <array>
#include <cstdint>

namespace game {

class MainForm;

// What the status bar of a running game shows, part by part, so that a redraw composes and
// copies only the parts whose values changed. Anything else that draws on StatusWork (the
// wave banner) or on the window's bar rows is noticed, and the bar is then done whole.
struct StatusShown {
  static constexpr std::size_t kParts = 6;
  bool valid = false;  // false: nothing is known, the next redraw composes the whole bar
  std::array<std::int64_t, kParts> looks{};
  std::uint64_t workVersion = 0;    // StatusWork's version after the last redraw
  std::uint64_t windowChanges = 0;  // the changes to the window's bar rows after it
};

// Composes the status bar in StatusWork and copies it to the window, the same picture as
// composing it whole every time; keeps the play field darkened while paused.
void UpdateStatus(MainForm& form);

}  // namespace game
