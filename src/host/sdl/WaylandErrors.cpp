#include "host/sdl/WaylandErrors.h"

#include <SDL_syswm.h>
#include <wayland-client.h>

namespace host::sdl {

bool WaylandConnectionLost(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (window == nullptr || SDL_GetWindowWMInfo(window, &info) != SDL_TRUE ||
      info.subsystem != SDL_SYSWM_WAYLAND)
    return false;
  // Set by libwayland when the connection broke; reading it asks the compositor nothing.
  return wl_display_get_error(info.info.wl.display) != 0;
}

}  // namespace host::sdl
