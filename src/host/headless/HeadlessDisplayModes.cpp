#include "host/headless/HeadlessDisplayModes.h"

#include <algorithm>

namespace host {

HeadlessDisplayModes::HeadlessDisplayModes() {
  Script({{640, 480, 16}, {640, 480, 32}, {1024, 768, 32}}, {1024, 768, 32});
}

void HeadlessDisplayModes::Script(std::vector<DisplayMode> modes, DisplayMode current) {
  modes_ = std::move(modes);
  current_ = current;
  requests_.clear();
}

ModeChange HeadlessDisplayModes::SetMode(const DisplayMode& mode) {
  requests_.push_back(mode);
  DisplayMode wanted = mode;
  if (wanted.bitsPerPixel == 0) wanted.bitsPerPixel = current_.bitsPerPixel;
  if (std::find(modes_.begin(), modes_.end(), wanted) == modes_.end()) return ModeChange::BadMode;
  current_ = wanted;
  return ModeChange::Successful;
}

}  // namespace host
