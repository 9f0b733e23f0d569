#include "host/sdl/FocusWatch.h"

namespace host::sdl {

void FocusWatch::Changed(bool programHasFocus, std::int64_t now) {
  current_ = programHasFocus;
  if (current_ == reported_) {
    due_ = -1;  // back where the program believes it is: nothing to tell
  } else {
    due_ = current_ ? now : now + kGraceMs;
  }
}

std::optional<bool> FocusWatch::Take(std::int64_t now) {
  if (due_ < 0 || now < due_) return std::nullopt;
  due_ = -1;
  if (current_ == reported_) return std::nullopt;
  reported_ = current_;
  return current_;
}

}  // namespace host::sdl
