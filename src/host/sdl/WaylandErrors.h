#pragma once
#include <SDL.h>

namespace host::sdl {

// Whether the Wayland connection behind the window has failed (the compositor went away).
// SDL reports that only as a request to quit, like any other; this tells the two apart. False
// for a window on any other kind of display.
bool WaylandConnectionLost(SDL_Window* window);

}  // namespace host::sdl
