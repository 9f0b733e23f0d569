#pragma once
#include <cstdint>
#include <optional>

namespace host::sdl {

// Tells the keyboard focus leaving the program from a move between its own windows (a
// dialog or a popup menu opening, the game window closing onto the menu).
// Deliberate: the window system reports such a move as a loss on one window and a gain on
// another, some milliseconds apart and in either order, so a loss is believed only when no
// window of the program has won the focus back within a grace period. A gain is reported at
// once.
class FocusWatch {
 public:
  static constexpr int kGraceMs = 400;

  // Whether any window of the program holds the focus now, after a gain or a loss at `now`.
  void Changed(bool programHasFocus, std::int64_t now);
  // When Take should next be called, or -1 when nothing is waiting.
  std::int64_t Due() const { return due_; }
  // At or after Due(): the change to tell the program, if there is one.
  std::optional<bool> Take(std::int64_t now);

 private:
  bool reported_ = true;  // the program starts in front
  bool current_ = true;
  std::int64_t due_ = -1;
};

}  // namespace host::sdl
