#include "host/sdl/SyntheticEvents.h"

#include "host/sdl/SdlWindow.h"

namespace host::sdl {
namespace {

void PushWindowEvent(Window& window, SDL_WindowEventID id) {
  SDL_Event e{};
  e.type = SDL_WINDOWEVENT;
  e.window.event = static_cast<Uint8>(id);
  e.window.windowID = static_cast<SdlWindow&>(window).SdlId();
  SDL_PushEvent(&e);
}

}  // namespace

void PushKey(Window& window, int usbScancode, bool down, bool withShift) {
  SDL_Event e{};
  e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  e.key.windowID = static_cast<SdlWindow&>(window).SdlId();
  e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
  e.key.keysym.scancode = static_cast<SDL_Scancode>(usbScancode);
  e.key.keysym.mod = withShift ? KMOD_LSHIFT : KMOD_NONE;
  SDL_PushEvent(&e);
}

void PushFocus(Window& window, bool gained) {
  PushWindowEvent(window, gained ? SDL_WINDOWEVENT_FOCUS_GAINED : SDL_WINDOWEVENT_FOCUS_LOST);
}

Surface ShownPixels(Window& window) {
  SDL_Surface* shown = SDL_GetWindowSurface(static_cast<SdlWindow&>(window).Handle());
  if (shown == nullptr) return Surface();
  Surface copy(shown->w, shown->h);
  SDL_ConvertPixels(shown->w, shown->h, shown->format->format, shown->pixels, shown->pitch,
                    SDL_PIXELFORMAT_RGB888, copy.Pixels(), shown->w * 4);
  std::uint32_t* pixels = copy.Pixels();
  for (std::size_t i = 0, n = static_cast<std::size_t>(copy.Width()) * copy.Height(); i < n; ++i)
    pixels[i] &= 0xFFFFFF;  // whatever the screen keeps in its spare byte
  return copy;
}

}  // namespace host::sdl
