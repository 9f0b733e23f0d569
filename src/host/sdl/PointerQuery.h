#pragma once
#include <SDL.h>

namespace host::sdl {

struct PointerState {
  int x = 0;  // screen pixels
  int y = 0;
  bool leftDown = false;
};

// Where the pointer is right now, asked of the window system itself: SDL's global pointer
// state is a cache that only pointer motion refreshes.
PointerState QueryPointer(SDL_Window* window);

}  // namespace host::sdl
