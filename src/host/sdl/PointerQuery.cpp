#include "host/sdl/PointerQuery.h"

#include <SDL_syswm.h>

namespace host::sdl {

PointerState QueryPointer(SDL_Window* window) {
  PointerState p;
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (window != nullptr && SDL_GetWindowWMInfo(window, &info) == SDL_TRUE &&
      info.subsystem == SDL_SYSWM_X11) {
    Display* display = info.info.x11.display;
    ::Window root = 0, child = 0;
    int winX = 0, winY = 0;
    unsigned int mask = 0;
    if (XQueryPointer(display, DefaultRootWindow(display), &root, &child, &p.x, &p.y, &winX, &winY,
                      &mask)) {
      p.leftDown = (mask & Button1Mask) != 0;
      return p;
    }
  }
  p.leftDown = (SDL_GetGlobalMouseState(&p.x, &p.y) & SDL_BUTTON_LMASK) != 0;
  return p;
}

}  // namespace host::sdl
