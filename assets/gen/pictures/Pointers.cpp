#include <stdexcept>

#include "pictures/Pictures.h"
#include "pictures/PixelArt.h"

namespace art {

host::Surface MakeHandCursor(const std::string& artDir) {
  host::Surface hand = ReadPixelArt(artDir + "/hand-cursor.txt");
  if (hand.Width() != 32 || hand.Height() != 32)
    throw std::runtime_error(artDir + "/hand-cursor.txt must be 32 x 32 pixels");
  return hand;
}

host::Surface MakeInvisibleCursor() {
  return host::Surface(32, 32, host::Rgb(255, 0, 255));
}

}  // namespace art
