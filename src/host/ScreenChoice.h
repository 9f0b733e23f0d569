#pragma once

namespace host {

// How the player likes the game screen: covering the display, or in a desktop window of the
// given size (0 x 0: the largest whole factor of the field that the display's free area
// holds). Kept between runs in the settings.
struct ScreenChoice {
  bool windowed = false;
  int width = 0;  // the window's inside, in screen pixels
  int height = 0;

  bool operator==(const ScreenChoice&) const = default;
};

}  // namespace host
