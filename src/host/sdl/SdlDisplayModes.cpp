#include "host/sdl/SdlDisplayModes.h"

#include <SDL.h>

namespace host::sdl {

std::optional<DisplayMode> SdlDisplayModes::CurrentMode() {
  SDL_DisplayMode mode;
  if (SDL_GetDesktopDisplayMode(0, &mode) != 0) return std::nullopt;
  // SDL counts the padding byte of a 32-bit pixel out; the display's own count includes it.
  const int bytes = SDL_BYTESPERPIXEL(mode.format);
  const int bits = bytes == 4 ? 32 : static_cast<int>(SDL_BITSPERPIXEL(mode.format));
  return DisplayMode{mode.w, mode.h, bits};
}

}  // namespace host::sdl
